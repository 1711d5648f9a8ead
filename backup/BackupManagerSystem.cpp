// The backups Windows keeps of its own registry, as the Backup Manager's
// second page and the restore page's system backups menu list them:
// Windows 98 and ME keep rb???.cab files in the system-backup directory,
// Windows XP keeps restore points ("rp*" folders with a Snapshot folder).

#include <algorithm>

#include "app/SettingsNames.h"
#include "app/Unit1.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool nameLess(const std::string& a, const std::string& b) {
  return platform::ansiUpper(a) < platform::ansiUpper(b);
}

}  // namespace

void TForm1::fillSystemBackups() {
  BackupManagerLists& lists = BackupManager;
  const platform::TIniFile settings(env.machine, settingsFile());
  const bool restorePoints = WindowsMode == 6;
  for (size_t i = 0; i < lists.systemColumnWidths.size(); ++i)
    lists.systemColumnWidths[i] =
        settings.ReadInteger("Win98 List", kColumnWidthKeys[i], std::array{100, 166, 75}[i]);
  if (restorePoints) lists.systemColumnWidths[2] = 0;
  lists.systemColumn1Caption =
      restorePoints ? "Restore Points" : "Win" + ShortModeName + " Backups";
  lists.systemRows.clear();
  lists.newestSystemBackup.clear();
  if (loc.systemBackupDir.empty()) loc.systemBackupDir = loc.defaultSystemBackupDir;
  const std::string folder = CheckPath(loc.systemBackupDir);

  std::vector<platform::FindData> found;
  try {
    found = env.files.findAll(folder + (restorePoints ? "rp*" : "rb???.cab"));
  } catch (const Error&) {
    // No system-backup directory: nothing to list.
  }
  std::sort(found.begin(), found.end(),
            [](const platform::FindData& a, const platform::FindData& b) {
              return nameLess(a.name, b.name);
            });
  bool snapshotSeen = false;
  for (const platform::FindData& entry : found) {
    const bool directory = (entry.attributes & platform::kAttributeDirectory) != 0;
    if (restorePoints != directory) continue;
    if (restorePoints && !snapshotSeen) {
      snapshotSeen = env.files.directoryExists(folder + entry.name + "\\Snapshot");
      if (!snapshotSeen) continue;
    }
    SystemBackupRow row;
    row.fileName = entry.name;
    row.name = restorePoints ? entry.name : entry.name.substr(2, 3);
    row.dateTime = FileDateTime(entry.times.lastWrite);
    row.size = entry.size;
    row.modified = entry.times.lastWrite.value;
    lists.systemRows.push_back(std::move(row));
  }
  std::sort(
      lists.systemRows.begin(), lists.systemRows.end(),
      [](const SystemBackupRow& a, const SystemBackupRow& b) { return nameLess(a.name, b.name); });

  lists.systemBackupsPresent = !lists.systemRows.empty();
  const std::string none = restorePoints ? std::string("No WinXP Restore Points")
                                         : "No Win" + ShortModeName + " Backups";
  lists.systemBackupsMenu.assign(1, lists.systemBackupsPresent ? kMostRecent : none);
  const SystemBackupRow* newest = nullptr;
  for (const SystemBackupRow& row : lists.systemRows) {
    lists.systemBackupsMenu.push_back(row.name + " - " + row.dateTime);
    if (!restorePoints && platform::ansiUpper(row.fileName) == "RBBAD.CAB") continue;
    if (!newest || row.modified > newest->modified) newest = &row;
  }
  if (newest) lists.newestSystemBackup = folder + newest->fileName;
}

void TForm1::DeleteSystemBackup(std::optional<size_t> row) {
  if (!row || *row >= BackupManager.systemRows.size()) {
    env.ui.messageBox(kSelectAnItem, ApplicationTitle, Buttons::Ok);
    return;
  }
  const std::string folder = CheckPath(loc.systemBackupDir);
  const SystemBackupRow& chosen = BackupManager.systemRows[*row];
  if (WindowsMode == 6) {
    DeleteSubDirs(folder + chosen.name + "\\");
  } else {
    const std::string file = folder + "rb" + chosen.name.substr(0, 3) + ".cab";
    try {
      env.files.setFileAttributes(file, platform::kAttributeNormal);
      env.files.deleteFile(file);
    } catch (const platform::OsError&) {
      // A backup Windows holds open stays; the refreshed list still shows it.
    }
  }
  if (FillList) FillList();
}

}  // namespace corvasta
