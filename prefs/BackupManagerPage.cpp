#include "prefs/BackupManagerPage.h"

#include <algorithm>

#include "app/core/Core.h"
#include "backup/BackupManager.h"
#include "backup/SetNaming.h"
#include "backup/SetRegister.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::string BackupManagerPage::columnCaption(size_t column) const {
  static const char* const kCaptions[] = {nullptr, "Full Path", "Date/Time"};
  if (column == 0) return manager.lists.column1Caption();
  return column < 3 ? kCaptions[column] : "";
}

int BackupManagerPage::columnWidth(size_t column) const {
  return column < 3 ? core.Form8.backupManagerColumns[column] : 0;
}

void BackupManagerPage::ColumnResized(size_t column, int width) {
  if (column >= 3 || width < 0) return;
  core.Form8.backupManagerColumns[column] = width;
  manager.lists.columnWidths[column] = width;
}

void BackupManagerPage::ListView1SelectItem(const std::vector<size_t>& rows) {
  selected_.clear();
  for (size_t row : rows)
    if (row < manager.lists.rows.size() &&
        std::find(selected_.begin(), selected_.end(), row) == selected_.end())
      selected_.push_back(row);
  std::sort(selected_.begin(), selected_.end());
  deleteEnabled = renameEnabled = !selected_.empty();
}

void BackupManagerPage::RefreshCaptionAndButtons() {
  // The refill made new rows: an old selection does not carry over.
  ListView1SelectItem({});
  editingRow.reset();
}

void BackupManagerPage::DeleteClick() {
  if (selected_.size() != 1) return;
  const size_t row = selected_.front();
  const std::string directory = manager.lists.rows[row].directory();
  if (!manager.RemoveBackupSetDirectory(directory, core.Form8.promptForSubDirs)) return;
  std::vector<RegisteredSet> remaining;
  for (size_t i = 0; i < manager.lists.rows.size(); ++i)
    if (i != row) remaining.push_back({manager.lists.rows[i].directory(), {}});
  for (RegisteredSet& set : remaining) set.shortPath = ShortFileName(core.env.machine, set.path);
  SetRegister(core.env.machine, core.settingsFile()).rewrite(remaining);
  manager.RefreshBackupManager();
  RefreshCaptionAndButtons();
}

void BackupManagerPage::RenameClick() {
  if (!selected_.empty()) editingRow = selected_.front();
}

bool BackupManagerPage::ListView1Edited(size_t row, const std::string& newName) {
  editingRow.reset();
  if (row >= manager.lists.rows.size()) return false;
  const BackupSetRow set = manager.lists.rows[row];
  if (newName == set.name) return true;
  if (!isUsableSetName(newName)) {
    core.env.ui.messageBox(kSetNameRefused, core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  bool renamed = false;
  try {
    core.env.files.moveFile(set.folder + set.name, set.folder + newName);
    const std::string directory = set.folder + newName + "\\";
    SetRegister(core.env.machine, core.settingsFile())
        .write(static_cast<int>(row + 1), {directory, ShortFileName(core.env.machine, directory)});
    renamed = true;
  } catch (const Error&) {
    // The set keeps its name and entry.
  }
  manager.RefreshBackupManager();
  RefreshCaptionAndButtons();
  return renamed;
}

void BackupManagerPage::AddClick() {
  const std::optional<std::string> chosen =
      core.env.ui.chooseFolder("Find the Directory of a Backup Set", core.loc.programDir);
  if (chosen) AddSet(*chosen);
}

bool BackupManagerPage::isRegistered(const std::string& directory) const {
  const std::vector<std::string> paths = SetRegister(core.env.machine, core.settingsFile()).paths();
  return std::any_of(paths.begin(), paths.end(), [&](const std::string& path) {
    return platform::ansiEqualNoCase(path, directory);
  });
}

bool BackupManagerPage::AddSet(const std::string& chosen) {
  const std::string directory = CheckPath(chosen);
  // The new set takes the place after the listed ones: the refill first
  // drops entries whose folders are gone, so no entry is overwritten.
  manager.RefreshBackupManager();
  if (isRegistered(directory)) {
    core.env.ui.messageBox(directory + " is already in the Backup Manager", core.ApplicationTitle,
                           Buttons::Ok);
    return false;
  }
  SetRegister(core.env.machine, core.settingsFile())
      .write(static_cast<int>(manager.lists.rows.size() + 1),
             {directory, ShortFileName(core.env.machine, directory)});
  manager.RefreshBackupManager();
  RefreshCaptionAndButtons();
  return true;
}

void BackupManagerPage::MaximumChanged(int value) {
  core.Form8.maxNum = std::clamp(value, kBackupCounterFirst, kBackupCounterLast);
  manager.KeepOrMaximumChanged();
  changed();
}

void BackupManagerPage::KeepChanged(int value) {
  core.Form8.keep = std::clamp(value, kBackupCounterFirst, kBackupCounterLast);
  manager.KeepOrMaximumChanged();
  changed();
}

}  // namespace corvasta
