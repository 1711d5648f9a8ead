// Removing a backup set's directory (the Backup Manager's "&Delete" and the
// backup run's rotation), the directories that are never removed as a set,
// and the rules that keep "Maximum Backups" above "Keep" and at least at the
// number of listed sets.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/DeleteFiles.h"
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

std::optional<std::string> BackupManager::protectedSetDirectory(
    const std::string& directory) const {
  const std::string set = CheckPath(directory);
  // "C:\", "\" or nothing at all.
  if (set.size() <= 3) return set + " is the root of a drive and is not deleted as a backup set.";
  const auto comparable = [this](const std::string& path) {
    return platform::ansiUpper(CheckPath(ShortFileName(core.env.machine, RemoveBackSl(path))));
  };
  const std::string shortSet = comparable(set);
  const std::pair<const char*, const std::string*> kept[] = {{"program", &core.loc.programDir},
                                                             {"Windows", &core.loc.windowsDir},
                                                             {"System", &core.loc.systemDir}};
  for (const auto& [what, path] : kept) {
    if (path->empty()) continue;
    if (comparable(*path).starts_with(shortSet))
      return set + " is not deleted as a backup set: it is or holds the " + what + " directory " +
             CheckPath(*path) + ".";
  }
  return std::nullopt;
}

bool BackupManager::RemoveBackupSetDirectory(const std::string& directory, bool withoutAsking) {
  if (const std::optional<std::string> refusal = protectedSetDirectory(directory)) {
    core.env.ui.messageBox(*refusal, core.ApplicationTitle, Buttons::Ok, Icon::Warning);
    return false;
  }
  DeleteFiles(core, directory, "*");
  try {
    core.env.files.removeDirectory(RemoveBackSl(directory));
    return true;
  } catch (const platform::OsError&) {
    // Subfolders (copy-mode trees) keep it; they go only with consent.
  }
  if (!core.env.files.directoryExists(RemoveBackSl(directory))) return true;
  if (withoutAsking ||
      core.env.ui.messageBox(subdirectoriesQuestion(directory), subdirectoriesCaption(directory),
                             Buttons::YesNo, Icon::Question) == IDYES)
    DeleteSubDirs(core, directory);
  return true;
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
