#pragma once
// DOS date and time as ZIP entries store them (the date in the high word),
// and Windows FILETIME values (100-nanosecond intervals since 1601-01-01).
// Both are local times here: the caller converts with the file system's time
// zone. The conversions are the platform's (platform/core/dos_date_time.h).

#include <cstdint>
#include <optional>

#include "platform/core/dos_date_time.h"

namespace archive {

using FileTime = uint64_t;

// FILETIME to DOS date/time, truncated to two seconds as Windows'
// FileTimeToDosDateTime does. Times outside 1980..2107 are clamped.
inline uint32_t fileTimeToDos(FileTime time) {
  return platform::clampedDosDateTime(platform::FileTime{time}).packed();
}

// DOS date/time to FILETIME; nullopt when the fields are not a valid date.
inline std::optional<FileTime> dosToFileTime(uint32_t dosTime) {
  auto time = platform::dosDateTimeToFileTime(platform::DosDateTime::fromPacked(dosTime));
  if (!time) return std::nullopt;
  return time->value;
}

}  // namespace archive
