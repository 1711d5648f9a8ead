#pragma once
// DOS date and time as ZIP entries store them, and Windows FILETIME values
// (100-nanosecond intervals since 1601-01-01). Both are local times here: the
// caller converts with the file system's time zone.

#include <cstdint>
#include <optional>

namespace archive {

using FileTime = uint64_t;

// FILETIME to DOS date/time, truncated to two seconds as Windows'
// FileTimeToDosDateTime does. Times outside 1980..2107 are clamped.
uint32_t fileTimeToDos(FileTime time);

// DOS date/time to FILETIME; nullopt when the fields are not a valid date.
std::optional<FileTime> dosToFileTime(uint32_t dosTime);

}  // namespace archive
