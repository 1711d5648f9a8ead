#pragma once
// SYSTEMTIME: a moment as calendar fields, and FileTimeToSystemTime /
// SystemTimeToFileTime. The fields carry no time zone: a FILETIME in UTC
// gives UTC fields, a local FILETIME local ones.

#include <optional>

#include "platform/core/file_time.h"

namespace platform {

struct SystemTime {
  int year = 1980;
  int month = 1;      // 1..12
  int dayOfWeek = 0;  // 0 = Sunday
  int day = 1;        // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// nullopt for the values Windows refuses: those with the top bit set.
std::optional<SystemTime> fileTimeToSystemTime(FileTime time);
// nullopt when a field is out of range (years 1601 to 30827, months 1 to 12,
// days within the month, hours 0 to 23, minutes and seconds 0 to 59,
// milliseconds 0 to 999); the day of the week is not looked at.
std::optional<FileTime> systemTimeToFileTime(const SystemTime& time);

}  // namespace platform
