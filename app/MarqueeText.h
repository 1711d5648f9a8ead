#pragma once
// The status line's text (the marquee of the main window): when the last
// backups were made, the tip of the day and what RegPack did.
//
// Composition is a pure function of the facts, so every sentence can be
// checked without a machine; TForm1::MakeMarqueeText gathers the facts from
// the settings file and the registry files (MarqueeFacts.cpp).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/locale_format.h"

namespace corvasta {

// A year, month and day as stored in the settings file, when they form a
// date: year 0 means "none", and a date that does not exist (month 13, day
// 31 of April) is treated the same rather than shown as nonsense.
std::optional<platform::SystemTime> storedDate(int year, int month, int day);

// Whole days from `date` to `today`; negative for a date in the future.
int64_t daysBetween(const platform::SystemTime& date, const platform::SystemTime& today);
// "Today", "1 day ago" or n + " days ago".
std::string ageText(int64_t days);
// The date in the short date picture followed by its age in parentheses:
// "07/30/2004 (Today)".
std::string datedText(const platform::SystemTime& date, const platform::SystemTime& today,
                      std::string_view shortDatePicture);

// The tip shown on `dayOfMonth` (1..31) for a Windows mode (1..6; 0 is a
// Windows the program does not know). Empty for a day without a tip.
std::string tipOfTheDay(int dayOfMonth, int windowsMode, const std::string& shortModeName,
                        const std::string& longModeName);

struct MarqueeConfigDate {
  std::string name;  // the config's name ("Config2" when it has none)
  platform::SystemTime date;
};

struct MarqueeFacts {
  platform::SystemTime today;
  std::string shortDatePicture;
  int windowsMode = 3;
  std::string shortModeName, longModeName;

  std::optional<platform::SystemTime> lastBackup;                 // any config
  std::array<std::optional<MarqueeConfigDate>, 4> configBackups;  // per config

  // RegPack: whether it has just completed (the reduction is announced once),
  // the reduction in kilobytes (computed when just completed, else the stored
  // one), the undo copy's date when the copy exists, and the registry sizes
  // in bytes before the last RegPack and now.
  bool regPackJustDone = false;
  int64_t reductionKb = 0;
  std::optional<platform::SystemTime> regPackDate;
  uint64_t sizeBefore = 0;
  uint64_t sizeNow = 0;
};

// The reduction of the last RegPack in kilobytes, when both sizes are known.
int64_t registryReductionKb(uint64_t sizeBefore, uint64_t sizeNow);

std::string marqueeText(const MarqueeFacts& facts);

// Where the RegPack status starts in a marquee text (the tab change scrolls
// it into view), or nullopt when the text has none.
std::optional<size_t> regPackStatusOffset(std::string_view marquee);

}  // namespace corvasta
