// Composition of the marquee text and the date and age texts it uses.

#include "app/MarqueeText.h"

#include <chrono>

namespace corvasta {
namespace {

std::chrono::sys_days calendarDay(const platform::SystemTime& time) {
  return std::chrono::sys_days(std::chrono::year_month_day(
      std::chrono::year(time.year), std::chrono::month(static_cast<unsigned>(time.month)),
      std::chrono::day(static_cast<unsigned>(time.day))));
}

constexpr std::string_view kLastRegPackLead = "   The last RegPack was done on ";
constexpr std::string_view kNoRegPackLead = "   RegPack will rearrange the registry ";

std::string backupDates(const MarqueeFacts& facts) {
  std::string text = facts.lastBackup
                         ? "Last Backup made on " +
                               datedText(*facts.lastBackup, facts.today, facts.shortDatePicture)
                         : std::string("Welcome to Corvasta");
  for (const auto& config : facts.configBackups) {
    if (!config) continue;
    text +=
        " - " + config->name + ": " + datedText(config->date, facts.today, facts.shortDatePicture);
  }
  return text + ".";
}

std::string regPackStatus(const MarqueeFacts& facts) {
  if (!facts.regPackDate)
    return std::string(kNoRegPackLead.substr(3)) +
           "making it smaller and faster.  If you install and uninstall many programs, we "
           "suggest that you perform RegPack once a month, otherwise you should RegPack at least "
           "once a year.";
  std::string text = std::string(kLastRegPackLead.substr(3)) +
                     datedText(*facts.regPackDate, facts.today, facts.shortDatePicture);
  const int64_t reduction = facts.reductionKb;
  text += reduction != 0 ? " and reduced the registry by " + std::to_string(reduction) + "kb."
                         : std::string(".");
  if (facts.sizeBefore != 0 && facts.sizeNow != 0 && reduction != 0) {
    const int64_t growth = static_cast<int64_t>(facts.sizeNow / 1024) + reduction -
                           static_cast<int64_t>(facts.sizeBefore / 1024);
    if (growth > 0) text += "  Since then the registry has grown " + std::to_string(growth) + "kb.";
  }
  return text;
}

}  // namespace

std::optional<platform::SystemTime> storedDate(int year, int month, int day) {
  if (year == 0 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const std::chrono::year_month_day date(std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day)));
  if (!date.ok()) return std::nullopt;
  platform::SystemTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.dayOfWeek = static_cast<int>(std::chrono::weekday(std::chrono::sys_days(date)).c_encoding());
  return time;
}

int64_t daysBetween(const platform::SystemTime& date, const platform::SystemTime& today) {
  return (calendarDay(today) - calendarDay(date)).count();
}

std::string ageText(int64_t days) {
  if (days == 0) return "Today";
  if (days == 1) return "1 day ago";
  return std::to_string(days) + " days ago";
}

std::string datedText(const platform::SystemTime& date, const platform::SystemTime& today,
                      std::string_view shortDatePicture) {
  return platform::formatDate(date, shortDatePicture) + " (" + ageText(daysBetween(date, today)) +
         ")";
}

int64_t registryReductionKb(uint64_t sizeBefore, uint64_t sizeNow) {
  if (sizeBefore == 0 || sizeNow == 0) return 0;
  return (static_cast<int64_t>(sizeBefore) - static_cast<int64_t>(sizeNow)) / 1024;
}

std::string marqueeText(const MarqueeFacts& facts) {
  std::string text;
  if (facts.regPackJustDone)
    text += "RegPack was just completed and reduced the registry by " +
            std::to_string(facts.reductionKb) + "kb.  ";
  text += backupDates(facts);
  text += "   Thank you for purchasing Corvasta.  ";
  text += tipOfTheDay(facts.today.day, facts.windowsMode, facts.shortModeName, facts.longModeName);
  text += "   ";
  text += regPackStatus(facts);
  text += "   Please tell your friends about Corvasta.   ";
  return text;
}

std::optional<size_t> regPackStatusOffset(std::string_view marquee) {
  size_t found = marquee.find(kLastRegPackLead);
  if (found == std::string_view::npos) found = marquee.find(kNoRegPackLead);
  if (found == std::string_view::npos) return std::nullopt;
  return found;
}

}  // namespace corvasta
