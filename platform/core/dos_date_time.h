#pragma once
// MS-DOS dates and times, as FAT directory entries, ZIP entries, cabinets
// and shell link ID lists store them: a 16-bit date (years since 1980 in bits
// 9-15, month in 5-8, day in 0-4) and a 16-bit time (hours in bits 11-15,
// minutes in 5-10, seconds / 2 in 0-4), covering 1980-01-01 00:00:00 to
// 2107-12-31 23:59:58 in two-second steps. They hold local time; the caller
// converts with the machine's time zone.

#include <cstdint>
#include <optional>

#include "platform/core/file_time.h"
#include "platform/core/system_time.h"

namespace platform {

struct DosDateTime {
  uint16_t date = 0;
  uint16_t time = 0;
  // The date in the high word, as ZIP and cabinet headers keep the pair.
  uint32_t packed() const { return static_cast<uint32_t>(date) << 16 | time; }
  static DosDateTime fromPacked(uint32_t packed) {
    return {static_cast<uint16_t>(packed >> 16), static_cast<uint16_t>(packed & 0xFFFF)};
  }
  friend bool operator==(const DosDateTime&, const DosDateTime&) = default;
};

// How a moment between two two-second steps is taken: down, as
// FileTimeToDosDateTime does, or up to the next step, as the shell does for
// the file entries of a link's ID list.
enum class DosSecondRounding { Down, Up };

// The DOS form of calendar fields that lie in the DOS range (the seconds
// are halved; the day of the week is not stored).
DosDateTime dosDateTimeFromFields(const SystemTime& fields);

// FileTimeToDosDateTime; nullopt for a moment (after rounding) outside the
// DOS range.
std::optional<DosDateTime> fileTimeToDosDateTime(
    FileTime time, DosSecondRounding rounding = DosSecondRounding::Down);
// As fileTimeToDosDateTime, with moments before 1980 taken as 1980-01-01
// 00:00:00 and after 2107 as 2107-12-31 23:59:58.
DosDateTime clampedDosDateTime(FileTime time);
// DosDateTimeToFileTime; nullopt when a field is out of range: month 0 or
// over 12, day 0 or past the end of the month, hour over 23, minute over 59,
// seconds field over 29.
std::optional<FileTime> dosDateTimeToFileTime(DosDateTime dos);

}  // namespace platform
