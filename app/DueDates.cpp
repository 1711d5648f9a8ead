#include "app/DueDates.h"

#include <chrono>

#include "platform/profile/ini_file.h"

namespace corvasta {

int frequencyInterval(int freq) {
  switch (freq) {
    case 0:
      return 1;
    case 1:
      return 7;
    case 2:
      return 14;
    case 3:
      return 30;
    default:
      return 0;
  }
}

bool EvaluateDueDate(platform::TIniFile& settings, std::string_view section,
                     const platform::SystemTime& today) {
  using namespace std::chrono;
  const int interval = frequencyInterval(settings.ReadInteger(section, "Freq", 4));
  if (interval == 0) return false;

  const year_month_day todayDate{year{today.year}, month{static_cast<unsigned>(today.month)},
                                 day{static_cast<unsigned>(today.day)}};
  const int storedYear = settings.ReadInteger(section, "Year", today.year);
  const int storedMonth = settings.ReadInteger(section, "Month", today.month);
  const int storedDay = settings.ReadInteger(section, "Day", today.day);
  const bool inRange = storedYear >= 1 && storedYear <= 9999 && storedMonth >= 1 &&
                       storedMonth <= 12 && storedDay >= 1 && storedDay <= 31;
  const year_month_day stored{year{inRange ? storedYear : 1},
                              month{static_cast<unsigned>(inRange ? storedMonth : 1)},
                              day{static_cast<unsigned>(inRange ? storedDay : 1)}};
  if (inRange && stored.ok() && sys_days{stored} + days{interval} > sys_days{todayDate})
    return false;

  settings.WriteInteger(section, "Year", today.year);
  settings.WriteInteger(section, "Month", today.month);
  settings.WriteInteger(section, "Day", today.day);
  return true;
}

std::optional<platform::SystemTime> NextDueDay(const platform::TIniFile& settings,
                                               std::string_view section) {
  using namespace std::chrono;
  const int interval = frequencyInterval(settings.ReadInteger(section, "Freq", 4));
  if (interval == 0) return std::nullopt;
  for (const char* key : {"Year", "Month", "Day"})
    if (!settings.ValueExists(section, key)) return std::nullopt;
  const int storedYear = settings.ReadInteger(section, "Year", 0);
  const int storedMonth = settings.ReadInteger(section, "Month", 0);
  const int storedDay = settings.ReadInteger(section, "Day", 0);
  if (storedYear < 1 || storedYear > 9999 || storedMonth < 1 || storedMonth > 12 || storedDay < 1 ||
      storedDay > 31)
    return std::nullopt;
  const year_month_day stored{year{storedYear}, month{static_cast<unsigned>(storedMonth)},
                              day{static_cast<unsigned>(storedDay)}};
  if (!stored.ok()) return std::nullopt;
  const year_month_day due{sys_days{stored} + days{interval}};
  platform::SystemTime result;
  result.year = static_cast<int>(due.year());
  result.month = static_cast<int>(static_cast<unsigned>(due.month()));
  result.day = static_cast<int>(static_cast<unsigned>(due.day()));
  return result;
}

}  // namespace corvasta
