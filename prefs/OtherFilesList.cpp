// The Other Files list: "&New", "&Edit", "&Delete" and "En&tire Drive".

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "platform/core/codepage.h"
#include "platform/files/drive_display_names.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "prefs/ControlTexts.h"
#include "prefs/OtherFilesRenumber.h"
#include "prefs/Unit8.h"

namespace corvasta {
namespace {

constexpr const char* kEntireDrivePrefix = "All Files on Drive ";

bool listed(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& entry : names)
    if (platform::ansiEqualNoCase(entry, name)) return true;
  return false;
}

}  // namespace

void TForm8::reloadOtherFilesNames() {
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  core.Form8.otherFilesNames = readOtherFilesNames(settings);
  std::vector<int>& checks = core.Form8.config.otherFilesChecks;
  const size_t known = checks.size();
  checks.resize(core.Form8.otherFilesNames.size());
  // Entries the editor added take the check it stored for this config.
  for (size_t entry = known; entry < checks.size(); ++entry)
    checks[entry] = settings.ReadInteger("MultiFiles" + std::to_string(entry),
                                         "Check" + std::to_string(core.Form8.curConfig), 0);
}

void TForm8::NewClick() {
  int number = 1;
  while (listed(core.Form8.otherFilesNames, "Backup" + std::to_string(number))) ++number;
  const int index = static_cast<int>(core.Form8.otherFilesNames.size());
  if (!OpenOtherFilesEditor) {
    core.reportNotAvailable("The Other Files editor");
    return;
  }
  OpenOtherFilesEditor("Backup" + std::to_string(number), index);
  reloadOtherFilesNames();
}

void TForm8::EditClick() {
  if (!otherFilesSelection || *otherFilesSelection >= core.Form8.otherFilesNames.size()) {
    core.env.ui.messageBox(kSelectFromList, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  const std::string& name = core.Form8.otherFilesNames[*otherFilesSelection];
  if (name.find("All Files on Drive") != std::string::npos) {
    core.env.ui.messageBox(kCannotEdit, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  if (!OpenOtherFilesEditor) {
    core.reportNotAvailable("The Other Files editor");
    return;
  }
  OpenOtherFilesEditor(name, static_cast<int>(*otherFilesSelection));
  reloadOtherFilesNames();
}

void TForm8::Button12Click() {
  if (!otherFilesSelection || *otherFilesSelection >= core.Form8.otherFilesNames.size()) {
    core.env.ui.messageBox(kSelectFromList, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  const size_t index = *otherFilesSelection;
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  removeOtherFilesEntry(settings, index);
  core.Form8.otherFilesNames.erase(core.Form8.otherFilesNames.begin() +
                                   static_cast<std::ptrdiff_t>(index));
  std::vector<int>& checks = core.Form8.config.otherFilesChecks;
  if (index < checks.size()) checks.erase(checks.begin() + static_cast<std::ptrdiff_t>(index));
  otherFilesSelection.reset();
  changed();
}

void TForm8::Drive1Click() {
  std::vector<std::string> items;
  for (const std::string& root : core.env.files.getLogicalDriveStrings())
    items.push_back(root + " - " + platform::driveDisplayName(core.env.files, root));
  const std::optional<size_t> chosen = core.env.ui.popupMenu(kOtherFilesButtons[3], items);
  if (!chosen) return;
  const std::string& caption = items[*chosen];
  // The caption's first character is its letter, or the second after an
  // accelerator mark.
  const char letter = caption[0] == '&' && caption.size() > 1 ? caption[1] : caption[0];
  const std::string name = kEntireDrivePrefix + std::string(1, letter);
  if (listed(core.Form8.otherFilesNames, name)) return;
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  const size_t index = core.Form8.otherFilesNames.size();
  settings.WriteString("MultiFiles" + std::to_string(index), "FileName", name);
  settings.WriteString("EntireDrive", std::string(1, letter), "DriveLetter");
  core.Form8.otherFilesNames.push_back(name);
  core.Form8.config.otherFilesChecks.resize(core.Form8.otherFilesNames.size());
  changed();
}

}  // namespace corvasta
