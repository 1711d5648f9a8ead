#include "platform/system/locale_format.h"

#include <algorithm>

#include "platform/core/time_zone.h"

namespace platform {

namespace {

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

std::string number(int value, size_t digits) {
  std::string text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

std::string name(const char* full, size_t count) {
  std::string text(full);
  return count >= 4 ? text : text.substr(0, 3);
}

// Appends the text of a run of `count` equal pattern letters; false when the
// letter is not a pattern of this kind (it is then copied as it is).
bool dateField(char letter, size_t count, const SystemTime& time, std::string& out) {
  switch (letter) {
    case 'd':
      if (count <= 2)
        out += number(time.day, count);
      else
        out += name(kDayNames[std::clamp(time.dayOfWeek, 0, 6)], count);
      return true;
    case 'M':
      if (count <= 2)
        out += number(time.month, count);
      else
        out += name(kMonthNames[std::clamp(time.month, 1, 12) - 1], count);
      return true;
    case 'y':
      if (count >= 3)
        out += number(time.year, 4);
      else
        out += number(time.year % 100, count);
      return true;
    case 'g':
      out += "A.D.";
      return true;
    default:
      return false;
  }
}

bool timeField(char letter, size_t count, const SystemTime& time, std::string& out) {
  size_t digits = std::min<size_t>(count, 2);
  switch (letter) {
    case 'h': {
      int hour = time.hour % 12;
      out += number(hour == 0 ? 12 : hour, digits);
      return true;
    }
    case 'H':
      out += number(time.hour, digits);
      return true;
    case 'm':
      out += number(time.minute, digits);
      return true;
    case 's':
      out += number(time.second, digits);
      return true;
    case 't': {
      const char* marker = time.hour < 12 ? "AM" : "PM";
      out += count == 1 ? std::string(1, marker[0]) : std::string(marker);
      return true;
    }
    default:
      return false;
  }
}

using FieldWriter = bool (*)(char, size_t, const SystemTime&, std::string&);

std::string format(const SystemTime& time, std::string_view picture, FieldWriter field) {
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
      out += '\'';
      i += 2;
      continue;
    }
    if (c == '\'') {
      // Quoted text up to the next lone quote; '' stands for one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    size_t count = 1;
    while (i + count < picture.size() && picture[i + count] == c) ++count;
    if (!field(c, count, time, out)) out.append(picture.substr(i, count));
    i += count;
  }
  return out;
}

}  // namespace

SystemTime localTimeNow() {
  return fileTimeToSystemTime(TimeZone().toLocal(currentFileTime())).value();
}

LocaleFormats machineLocale(const Machine& machine) {
  const MachineConfig& config = machine.config();
  return {config.shortDate, config.longTime, config.dateSeparator, config.timeSeparator};
}

std::string formatDate(const SystemTime& time, std::string_view picture) {
  return format(time, picture, dateField);
}

std::string formatTime(const SystemTime& time, std::string_view picture) {
  return format(time, picture, timeField);
}

}  // namespace platform
