// The source list of each Windows mode, the texts its items show, which
// sources are available, and the extent boxes the selected source enables.

#include <array>

#include "app/core/Core.h"
#include "app/core/SettingsNames.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "restore/RestoreSources.h"

namespace corvasta {

std::vector<SourceItem> restoreSourceItems(int windowsMode) {
  std::vector<SourceItem> items;
  if (windowsMode == 1) items.push_back(SourceItem::PreviousRegistry);
  if (windowsMode == 2 || windowsMode == 3 || windowsMode == 6)
    items.push_back(SourceItem::SystemBackups);
  for (SourceItem item : {SourceItem::SpareRegistry, SourceItem::ProgramBackups,
                          SourceItem::Removable, SourceItem::OriginalRegistry})
    items.push_back(item);
  return items;
}

std::vector<std::string> restoreSourcePlaceholders(int windowsMode) {
  std::vector<std::string> texts;
  for (SourceItem item : restoreSourceItems(windowsMode)) {
    switch (item) {
      case SourceItem::PreviousRegistry:
        texts.push_back("Previous Registry");
        break;
      case SourceItem::SystemBackups:
        texts.push_back(windowsMode == 6   ? "WinXP Restore Points"
                        : windowsMode == 2 ? "Win98 Backups"
                                           : "WinME Backups");
        break;
      case SourceItem::SpareRegistry:
        texts.push_back("Spare Registry");
        break;
      case SourceItem::ProgramBackups:
        texts.push_back("Corvasta Backups");
        break;
      case SourceItem::Removable:
        texts.push_back("Diskette, CD, Removable Drive");
        break;
      case SourceItem::OriginalRegistry:
        texts.push_back("Original Registry");
        break;
    }
  }
  return texts;
}

const std::vector<SourceItem>& RestoreSources::items() const {
  // The list is fixed by the edition's mode, which never changes while the
  // program runs; each mode's list is made once.
  static const std::array<std::vector<SourceItem>, 7> kLists{
      restoreSourceItems(0), restoreSourceItems(1), restoreSourceItems(2), restoreSourceItems(3),
      restoreSourceItems(4), restoreSourceItems(5), restoreSourceItems(6)};
  const int mode = core.WindowsMode >= 0 && core.WindowsMode <= 6 ? core.WindowsMode : 0;
  return kLists[static_cast<size_t>(mode)];
}

std::string RestoreSources::itemText(size_t index) const {
  const std::vector<SourceItem>& list = items();
  if (index >= list.size()) return "";
  if (list[index] == SourceItem::ProgramBackups) return backup.manager.lists.restoreSourceCaption;
  if (list[index] == SourceItem::SystemBackups && chosenSystemBackup_)
    return systemBackupsPrefix() + *chosenSystemBackup_;
  return restoreSourcePlaceholders(core.WindowsMode)[index];
}

std::vector<std::string> RestoreSources::itemTexts() const {
  std::vector<std::string> texts;
  for (size_t i = 0; i < items().size(); ++i) texts.push_back(itemText(i));
  return texts;
}

std::optional<SourceItem> RestoreSources::selectedItem() const {
  const std::vector<SourceItem>& list = items();
  if (core.restoreType < 0 || static_cast<size_t>(core.restoreType) >= list.size())
    return std::nullopt;
  return list[static_cast<size_t>(core.restoreType)];
}

std::optional<size_t> RestoreSources::positionOf(SourceItem item) const {
  const std::vector<SourceItem>& list = items();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return i;
  return std::nullopt;
}

void RestoreSources::FindAvailableSources() {
  platform::FileSystem& files = core.env.files;
  const SystemLocations& loc = core.loc;
  if (core.WindowsMode == 1)
    previousRegistryAvailable_ = files.fileExists(loc.windowsDir + "system.da0") &&
                                 files.fileExists(loc.windowsDir + "user.da0");
  if (core.isNtMode()) {
    spareRegistryAvailable_ = files.fileExists(loc.windowsDir + "registry.daz");
    originalRegistryAvailable_ = files.fileExists(loc.windowsDir + "repair\\system") ||
                                 files.fileExists(loc.windowsDir + "repair\\system._");
  } else {
    originalRegistryAvailable_ = files.fileExists(loc.rootDir + "system.1st");
    spareRegistryAvailable_ = files.fileExists(loc.windowsDir + "system.cvk") &&
                              files.fileExists(loc.userDir + "user.cvk");
  }
}

bool RestoreSources::available(SourceItem item) const {
  switch (item) {
    case SourceItem::PreviousRegistry:
      return previousRegistryAvailable_;
    case SourceItem::SystemBackups:
      return backup.manager.lists.systemBackupsPresent;
    case SourceItem::SpareRegistry:
      return spareRegistryAvailable_;
    case SourceItem::ProgramBackups:
      return backup.manager.backupSetsPresent;
    case SourceItem::Removable:
      return true;
    case SourceItem::OriginalRegistry:
      return originalRegistryAvailable_;
  }
  return false;
}

bool RestoreSources::willRestart() const {
  return core.winCrash || core.winUsers;
}

void RestoreSources::RestorePageRefresh() {
  const std::optional<SourceItem> item = selectedItem();
  state.extentEnabled[kWinCrashBox] = item.has_value();
  if (item) {
    const bool registryOnly = *item == SourceItem::PreviousRegistry ||
                              *item == SourceItem::SpareRegistry ||
                              *item == SourceItem::OriginalRegistry;
    const bool filesToo = *item == SourceItem::ProgramBackups || *item == SourceItem::Removable;
    // A registry source always restores the registry; the others start
    // from the user's own choice, which a forced check never overwrites.
    core.winCrash = registryOnly || platform::TIniFile(core.env.machine, core.settingsFile())
                                        .ReadBool(kRestorePreferences, "WinCrash", true);
    state.extentEnabled[kWinUsersBox] = !registryOnly;
    state.extentEnabled[kUserFilesBox] = filesToo;
    state.extentEnabled[kOtherFilesBox] = filesToo;
  }
  changed();
}

void RestoreSources::WinCrashClick(bool checked) {
  core.winCrash = checked;
  platform::TIniFile(core.env.machine, core.settingsFile())
      .WriteBool(kRestorePreferences, "WinCrash", checked);
  changed();
}

void RestoreSources::WinUsersClick(bool checked) {
  core.winUsers = checked;
  changed();
}

void RestoreSources::changed() {
  if (OnPageChanged) OnPageChanged();
}

}  // namespace corvasta
