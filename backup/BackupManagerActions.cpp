// The Backup Manager's buttons: deleting, renaming and adding backup sets,
// and the rules that keep "Maximum Backups" above "Keep" and at least at the
// number of listed sets.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/DeleteFiles.h"
#include "backup/SetRegister.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::string subdirectoriesQuestion(const std::string& directory) {
  return "The " + directory +
         " directory could not be removed.\r\rThis is probably because files exist in "
         "subdirectories.\r\rDo you want me to delete all of the subdirectories?";
}

std::string subdirectoriesCaption(const std::string& directory) {
  return "Delete " + directory + "?";
}

std::string tooManyBackupsMessage(const std::string& maximumText) {
  return "You have too many Backups.\r\rPlease delete all but " + maximumText +
         " in the Backup Manager or Change the Maximum Backups.";
}

void BackupManager::RemoveBackupSetDirectory(const std::string& directory, bool withoutAsking) {
  DeleteFiles(core, directory, "*");
  try {
    core.env.files.removeDirectory(RemoveBackSl(directory));
    return;
  } catch (const platform::OsError&) {
    // Subfolders (copy-mode trees) keep it; they go only with consent.
  }
  if (!core.env.files.directoryExists(RemoveBackSl(directory))) return;
  if (withoutAsking ||
      core.env.ui.messageBox(subdirectoriesQuestion(directory), subdirectoriesCaption(directory),
                             Buttons::YesNo, Icon::Question) == IDYES)
    DeleteSubDirs(core, directory);
}

void BackupManager::DeleteBackupSet(size_t row) {
  if (row >= lists.rows.size()) return;
  RemoveBackupSetDirectory(lists.rows[row].directory(), core.Form8.promptForSubDirs);
  std::vector<RegisteredSet> remaining;
  for (size_t i = 0; i < lists.rows.size(); ++i)
    if (i != row) remaining.push_back({lists.rows[i].directory(), {}});
  SetRegister(core.env.machine, core.settingsFile()).rewrite(remaining);
  RefreshBackupManager();
}

void BackupManager::RenameBackupSet(size_t row, const std::string& newName) {
  if (row >= lists.rows.size()) return;
  const BackupSetRow& set = lists.rows[row];
  try {
    core.env.files.moveFile(set.folder + set.name, set.folder + newName);
    SetRegister(core.env.machine, core.settingsFile())
        .write(static_cast<int>(row + 1), {set.folder + newName + "\\",
                                           ShortFileName(core.env.machine, set.folder + newName)});
  } catch (const Error&) {
    // The set keeps its name and entry.
  }
  RefreshBackupManager();
}

void BackupManager::AddBackupSet() {
  const std::optional<std::string> chosen =
      core.env.ui.chooseFolder("Find the Directory of a Backup Set", core.loc.programDir);
  if (!chosen) return;
  const std::string directory = CheckPath(*chosen);
  SetRegister reg(core.env.machine, core.settingsFile());
  for (const std::string& path : reg.paths()) {
    if (platform::ansiUpper(path) == platform::ansiUpper(directory)) {
      core.env.ui.messageBox(directory + " is already in the Backup Manager", core.ApplicationTitle,
                             Buttons::Ok);
      return;
    }
  }
  reg.write(static_cast<int>(lists.rows.size() + 1),
            {directory, ShortFileName(core.env.machine, directory)});
  RefreshBackupManager();
}

void BackupManager::KeepOrMaximumChanged() {
  if (core.Form8.keep >= core.Form8.maxNum) {
    core.Form8.maxNum = core.Form8.keep + 1;
    core.env.ui.messageBox(kKeepBelowMaximum, core.ApplicationTitle, Buttons::Ok);
  }
}

void BackupManager::CheckMaximumBackups() {
  const int listed = static_cast<int>(lists.rows.size());
  if (core.Form8.maxNum < listed) {
    core.env.ui.messageBox(tooManyBackupsMessage(std::to_string(core.Form8.maxNum)),
                           core.ApplicationTitle, Buttons::Ok);
    core.Form8.maxNum = listed;
  }
}

}  // namespace corvasta
