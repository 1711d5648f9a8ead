#include "prefs/AutomationPage.h"

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/DeleteFile.h"
#include "app/core/SettingsNames.h"
#include "app/core/ShellLnk.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

std::string AutomationPage::listLabel(size_t list) const {
  if (list == 0) return kStartAndWaitLabel;
  return core.Form8.automationLabel(static_cast<int>(list));
}

bool AutomationPage::listEnabled(size_t list) const {
  return list < core.Form8.automationEnabled.size() && core.Form8.automationEnabled[list];
}

int AutomationPage::listIndex(size_t list) const {
  return list < core.Form8.automationFreq.size() ? core.Form8.automationFreq[list] : kDoNotPerform;
}

void AutomationPage::FreqClick(size_t list, int entry) {
  if (!listEnabled(list) || entry < 0 || entry >= static_cast<int>(kFrequencyEntries.size()))
    return;
  const std::string section(kAutomationSections[list]);
  core.Form8.automationFreq[list] = entry;
  platform::TIniFile(core.env.machine, core.settingsFile()).WriteInteger(section, "Freq", entry);
  MaintainStartupShortcut();
  core.WriteDate(section);
  const auto& lists = core.Form8.automationFreq;
  if (std::none_of(lists.begin(), lists.end(), [](int freq) { return freq == kUseScheduler; }))
    RemoveSchedulerJob();
  if (OnChange) OnChange();
}

void AutomationPage::PauseChanged(int seconds) {
  core.Form8.pause = std::clamp(seconds, kPauseFirst, kPauseLast);
  if (OnChange) OnChange();
}

void AutomationPage::MaintainStartupShortcut() {
  const auto& lists = core.Form8.automationFreq;
  const bool runsAtStart = std::any_of(lists.begin(), lists.end(), [](int freq) {
    return freq != kUseScheduler && freq != kDoNotPerform;
  });
  const std::string olderShortcut = core.loc.startupDir + "Corvasta" + core.ShortModeName + ".lnk";
  const std::string shortcut = core.loc.startupDir + "Corvasta.lnk";
  DeleteFileIfPresent(core.env.files, olderShortcut);
  if (!runsAtStart) {
    DeleteFileIfPresent(core.env.files, shortcut);
    return;
  }
  const std::string program = core.ProgramPath();
  std::string target;
  try {
    target = core.CheckTarget(shortcut);
  } catch (const ShellLinkError&) {
    // A damaged shortcut is written anew like one that points elsewhere.
  }
  if (target.empty() || !platform::ansiEqualNoCase(target, program))
    core.MakeShortcut(program, "bootup", shortcut, "Corvasta");
}

void AutomationPage::RemoveSchedulerJob() {
  DeleteFileIfPresent(core.env.files, core.loc.windowsDir + "Tasks\\Corvasta.job");
}

}  // namespace corvasta
