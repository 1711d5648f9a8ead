#include "app/ConsoleAutomation.h"

#include <algorithm>

#include "app/DueDates.h"
#include "app/Unit1.h"
#include "app/core/SettingsNames.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

std::string withoutAccelerator(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

// Lower case without blanks and hyphens: "Use Scheduler" and "use-scheduler"
// name the same entry.
std::string folded(const std::string& text) {
  std::string out;
  for (char c : platform::ansiLower(text))
    if (c != ' ' && c != '-') out += c;
  return out;
}

std::string shownDate(TForm1& form, const platform::SystemTime& date) {
  return platform::formatDate(date, form.core.loc.shortDateFormat);
}

std::string frequencyName(int freq) {
  return freq >= 0 && freq < static_cast<int>(kFrequencyEntries.size())
             ? kFrequencyEntries[static_cast<size_t>(freq)]
             : "Do Not Perform";
}

// One task: section, label, frequency, stored date, next due day.
void printTask(TForm1& form, const platform::TIniFile& settings, std::string_view section,
               const std::string& label, int freq, const ConsoleLinePrinter& print) {
  std::string stored = "no date stored";
  if (settings.ValueExists(section, "Year") && settings.ValueExists(section, "Month") &&
      settings.ValueExists(section, "Day")) {
    platform::SystemTime date;
    date.year = settings.ReadInteger(section, "Year", 0);
    date.month = settings.ReadInteger(section, "Month", 0);
    date.day = settings.ReadInteger(section, "Day", 0);
    stored = "stored " + shownDate(form, date);
  }
  std::string next;
  if (freq == kUseScheduler)
    next = "runs when the Task Scheduler starts Corvasta";
  else if (const std::optional<platform::SystemTime> due = NextDueDay(settings, section))
    next = "next due " + shownDate(form, *due);
  else if (frequencyInterval(freq) > 0)
    next = "due one interval after a date is stored";
  else
    next = "never runs automatically";
  print(std::string(section) + "\t" + label + "\t" + frequencyName(freq) + "\t" + stored + "\t" +
        next);
}

void printIcons(TForm1& form, const ConsoleLinePrinter& print) {
  DesktopIconsPage& page = form.preferences.desktopIcons;
  page.LoadDesktopIcons();
  const std::vector<std::string> icons = page.icons;
  for (size_t icon = 0; icon < icons.size(); ++icon) {
    page.ListBox1Click(icon);
    std::string letters;
    for (size_t box = 0; box < kIconBoxes; ++box)
      if (page.boxes[box]) letters += kIconLetters[box];
    print("Desktop icon\t" + icons[icon] + "\t" + letters);
  }
}

// The list a task value names: "start" or "s", "1" to "4", or the section.
size_t taskList(const std::string& value) {
  const std::string task = folded(value);
  if (task == "r" || task == "regpack" || task == "autocompact")
    throw Error("The RegPack task has no frequency list; a desktop icon with the letter r runs it");
  if (task == "start" || task == "s") return 0;
  if (task.size() == 1 && task[0] >= '1' && task[0] <= '4')
    return static_cast<size_t>(task[0] - '0');
  for (size_t list = 0; list < kAutomationSections.size(); ++list)
    if (task == folded(std::string(kAutomationSections[list]))) return list;
  throw Error("The task " + value + " is none of start, 1, 2, 3, 4");
}

int frequencyEntry(const std::string& value) {
  const std::string wanted = folded(value);
  for (size_t entry = 0; entry < kFrequencyEntries.size(); ++entry)
    if (wanted == folded(kFrequencyEntries[entry]) || wanted == std::to_string(entry))
      return static_cast<int>(entry);
  throw Error("The frequency " + value +
              " is none of Daily, Weekly, Bi-Weekly, Monthly, Use Scheduler, Do Not Perform");
}

}  // namespace

void showAutomation(TForm1& form, const std::vector<std::string>&,
                    const ConsoleLinePrinter& print) {
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  const AutomationPage& page = form.preferences.automation;
  for (size_t list = 0; list < kAutomationSections.size(); ++list)
    printTask(form, settings, kAutomationSections[list], withoutAccelerator(page.listLabel(list)),
              page.listIndex(list), print);
  // RegPack has no list: its Freq is only what the user put into the file.
  printTask(form, settings, "AutoCompact", "RegPack",
            settings.ReadInteger("AutoCompact", "Freq", kDoNotPerform), print);
  printIcons(form, print);
}

void setFrequency(TForm1& form, const std::vector<std::string>& values,
                  const ConsoleLinePrinter& print) {
  const size_t list = taskList(values.at(0));
  const int entry = frequencyEntry(values.at(1));
  AutomationPage& page = form.preferences.automation;
  if (!page.listEnabled(list))
    throw Error("Config " + std::to_string(list) +
                " has no target: its list stays at Do Not Perform");
  page.FreqClick(list, entry);
  showAutomation(form, {}, print);
}

void makeDesktopIcon(TForm1& form, const std::vector<std::string>& values,
                     const ConsoleLinePrinter& print) {
  const std::string& title = values.at(0);
  const std::string& letters = values.at(1);
  IconBoxes boxes{};
  for (char c : platform::ansiLower(letters)) {
    const auto* letter = std::find(kIconLetters.begin(), kIconLetters.end(), c);
    if (letter == kIconLetters.end())
      throw Error("The letters " + letters + " may hold only s, 1, 2, 3, 4 and r");
    boxes[static_cast<size_t>(letter - kIconLetters.begin())] = true;
  }
  if (letters.empty()) throw Error(kCheckOneBox);
  if (title.empty()) throw Error(kTypeATitle);
  if (const std::string refusal = iconTitleRefusal(title); !refusal.empty()) throw Error(refusal);
  DesktopIconsPage& page = form.preferences.desktopIcons;
  page.boxes = boxes;
  page.title = title;
  if (!page.CreateIcon()) throw Error("The desktop icon " + title + " was not made");
  printIcons(form, print);
}

}  // namespace corvasta
