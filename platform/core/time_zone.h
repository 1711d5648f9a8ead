#pragma once
// The time zone of a machine (machine.ini TimeZone=): a fixed bias from UTC
// written "UTC", "UTC+hh:mm" or "UTC-hh:mm", or, without the key, the host's
// own zone. A fixed bias is what FileTimeToLocalFileTime applies on Windows:
// the zone's current bias, to every time alike.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/file_time.h"

namespace platform {

class TimeZone {
 public:
  // The host's zone, daylight saving time included, at each moment.
  TimeZone() = default;
  static TimeZone fixed(int minutesEastOfUtc) { return TimeZone(minutesEastOfUtc); }
  // "UTC", "UTC+9", "UTC+09:00", "UTC-03:30" (without case), from UTC-12:00
  // to UTC+14:00 as Windows offers; nullopt for anything else.
  static std::optional<TimeZone> parse(std::string_view text);

  bool isHost() const { return !minutes_; }
  // The machine.ini form ("UTC+09:00"); empty for the host's zone.
  std::string text() const;
  // How far local time is ahead of UTC at the moment `utc`, in seconds.
  int64_t offsetSecondsAt(FileTime utc) const;
  // FileTimeToLocalFileTime; results before 1601 become 0.
  FileTime toLocal(FileTime utc) const;
  // GetTimeZoneInformation's Bias: how many minutes UTC is ahead of the
  // zone's standard time (daylight saving left out), in the year of `at`.
  // The host's zone takes the smaller of its January and July offsets, as
  // daylight saving only ever adds to the offset.
  int standardBiasMinutes(FileTime at) const;

  friend bool operator==(const TimeZone&, const TimeZone&) = default;

 private:
  explicit TimeZone(int minutes) : minutes_(minutes) {}
  std::optional<int> minutes_;
};

}  // namespace platform
