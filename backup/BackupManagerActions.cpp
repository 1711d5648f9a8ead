// The Backup Manager's buttons: deleting, renaming and adding backup sets,
// and the rules that keep "Maximum Backups" above "Keep" and at least at the
// number of listed sets.

#include "app/Unit1.h"
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

void TForm1::RemoveBackupSetDirectory(const std::string& directory, bool withoutAsking) {
  DeleteFiles(directory, "*");
  try {
    env.files.removeDirectory(RemoveBackSl(directory));
    return;
  } catch (const platform::OsError&) {
    // Subfolders (copy-mode trees) keep it; they go only with consent.
  }
  if (!env.files.directoryExists(RemoveBackSl(directory))) return;
  if (withoutAsking ||
      env.ui.messageBox(subdirectoriesQuestion(directory), subdirectoriesCaption(directory),
                        Buttons::YesNo, Icon::Question) == IDYES)
    DeleteSubDirs(directory);
}

void TForm1::DeleteBackupSet(size_t row) {
  if (row >= BackupManager.rows.size()) return;
  RemoveBackupSetDirectory(BackupManager.rows[row].directory(), Form8.promptForSubDirs);
  std::vector<RegisteredSet> remaining;
  for (size_t i = 0; i < BackupManager.rows.size(); ++i)
    if (i != row) remaining.push_back({BackupManager.rows[i].directory(), {}});
  SetRegister(env.machine, settingsFile()).rewrite(remaining);
  if (FillList) FillList();
}

void TForm1::RenameBackupSet(size_t row, const std::string& newName) {
  if (row >= BackupManager.rows.size()) return;
  const BackupSetRow& set = BackupManager.rows[row];
  try {
    env.files.moveFile(set.folder + set.name, set.folder + newName);
    SetRegister(env.machine, settingsFile())
        .write(static_cast<int>(row + 1),
               {set.folder + newName + "\\", ShortFileName(env.machine, set.folder + newName)});
  } catch (const Error&) {
    // The set keeps its name and entry.
  }
  if (FillList) FillList();
}

void TForm1::AddBackupSet() {
  const std::optional<std::string> chosen =
      env.ui.chooseFolder("Find the Directory of a Backup Set", loc.programDir);
  if (!chosen) return;
  const std::string directory = CheckPath(*chosen);
  SetRegister reg(env.machine, settingsFile());
  for (const std::string& path : reg.paths()) {
    if (platform::ansiUpper(path) == platform::ansiUpper(directory)) {
      env.ui.messageBox(directory + " is already in the Backup Manager", ApplicationTitle,
                        Buttons::Ok);
      return;
    }
  }
  reg.write(static_cast<int>(BackupManager.rows.size() + 1),
            {directory, ShortFileName(env.machine, directory)});
  if (FillList) FillList();
}

void TForm1::KeepOrMaximumChanged() {
  if (Form8.keep >= Form8.maxNum) {
    Form8.maxNum = Form8.keep + 1;
    env.ui.messageBox(kKeepBelowMaximum, ApplicationTitle, Buttons::Ok);
  }
}

void TForm1::CheckMaximumBackups() {
  const int listed = static_cast<int>(BackupManager.rows.size());
  if (Form8.maxNum < listed) {
    env.ui.messageBox(tooManyBackupsMessage(std::to_string(Form8.maxNum)), ApplicationTitle,
                      Buttons::Ok);
    Form8.maxNum = listed;
  }
}

}  // namespace corvasta
