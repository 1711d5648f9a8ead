// The program's short date format and the dates of the automation sections.

#include "app/core/Core.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "platform/system/locale_format.h"

namespace corvasta {
namespace {

// Widens the first run of `letter` (found without case) to `width` letters
// when the picture holds no run that wide: "M" becomes "MM", "yy" "yyyy".
void widenField(std::string& picture, char letter, size_t width) {
  const std::string upper = platform::ansiUpper(picture);
  const char upperLetter = platform::ansiUpper(letter);
  if (upper.find(std::string(width, upperLetter)) != std::string::npos) return;
  const size_t first = upper.find(upperLetter);
  if (first == std::string::npos) return;
  size_t run = 1;
  while (first + run < upper.size() && upper[first + run] == upperLetter) ++run;
  picture.insert(first, width - run, picture[first]);
}

}  // namespace

void Core::RedoShortDate() {
  if (!Form8.dateFormat.empty()) return;
  std::string picture = platform::machineLocale(env.machine).shortDate;
  if (picture.empty()) picture = "mm/dd/yyyy";
  widenField(picture, 'M', 2);
  widenField(picture, 'D', 2);
  widenField(picture, 'Y', 4);
  loc.shortDateFormat = picture;
  Form8.dateFormat = picture;
}

void Core::WriteDate(const std::string& section) {
  platform::TIniFile settings(env.machine, settingsFile());
  if (settings.ValueExists(section, "Year") && settings.ValueExists(section, "Month") &&
      settings.ValueExists(section, "Day"))
    return;
  const platform::SystemTime today = now();
  settings.WriteInteger(section, "Year", today.year);
  settings.WriteInteger(section, "Month", today.month);
  settings.WriteInteger(section, "Day", today.day);
}

}  // namespace corvasta
