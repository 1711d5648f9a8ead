#pragma once
// The machine's locale: the short date and long time pictures, the date and
// time separators, and formatting of a date or time with a picture as
// GetDateFormat and GetTimeFormat do.
//
// Date pictures: d, dd (day), ddd, dddd (day name), M, MM (month), MMM, MMMM
// (month name), y (year without century, no leading zero), yy, yyyy (four
// digits), g/gg (era). Time pictures: h, hh (12-hour), H, HH (24-hour), m, mm,
// s, ss, t (A/P), tt (AM/PM). A letter repeated more often than its longest
// form counts as that form. Text in single quotes is copied as it is ('' is
// one quote); every other character is copied, so the separators are part of
// the picture. English day and month names and time markers.

#include <string>
#include <string_view>

#include "platform/core/machine.h"
#include "platform/core/system_time.h"

namespace platform {

// The host's local time now.
SystemTime localTimeNow();

struct LocaleFormats {
  std::string shortDate;  // LOCALE_SSHORTDATE, e.g. "M/d/yyyy"
  std::string longTime;   // LOCALE_STIMEFORMAT, e.g. "h:mm:ss tt"
  std::string dateSeparator;
  std::string timeSeparator;
};

LocaleFormats machineLocale(const Machine& machine);

std::string formatDate(const SystemTime& time, std::string_view picture);
std::string formatTime(const SystemTime& time, std::string_view picture);

}  // namespace platform
