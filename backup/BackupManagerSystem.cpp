// The backups Windows keeps of its own registry, as the Backup Manager's
// second page and the restore page's system backups menu list them:
// Windows 98 and ME keep rb???.cab files in the system-backup directory,
// Windows XP keeps restore points ("rp*" folders with a Snapshot folder).

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/SettingsNames.h"
#include "backup/Backup.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool nameLess(const std::string& a, const std::string& b) {
  return platform::ansiUpper(a) < platform::ansiUpper(b);
}

}  // namespace

void BackupManager::fillSystemBackups() {
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  const bool restorePoints = core.WindowsMode == 6;
  for (size_t i = 0; i < lists.systemColumnWidths.size(); ++i)
    lists.systemColumnWidths[i] =
        settings.ReadInteger("Win98 List", kColumnWidthKeys[i], std::array{100, 166, 75}[i]);
  core.Form8.win98ListColumns = lists.systemColumnWidths;
  if (restorePoints) lists.systemColumnWidths[2] = 0;
  lists.systemColumn1Caption =
      restorePoints ? "Restore Points" : "Win" + core.ShortModeName + " Backups";
  lists.systemRows.clear();
  lists.newestSystemBackup.clear();
  if (core.loc.systemBackupDir.empty()) core.loc.systemBackupDir = core.loc.defaultSystemBackupDir;
  const std::string folder = CheckPath(core.loc.systemBackupDir);

  std::vector<platform::FindData> found;
  try {
    found = core.env.files.findAll(folder + (restorePoints ? "rp*" : "rb???.cab"));
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
      snapshotSeen = core.env.files.directoryExists(folder + entry.name + "\\Snapshot");
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
                                         : "No Win" + core.ShortModeName + " Backups";
  lists.systemBackupsMenu.assign(1, lists.systemBackupsPresent ? kMostRecent : none);
  // The menu offers what the restore can use: never rbbad.cab (the copy
  // Windows keeps of a registry it found damaged), and in mode 6 only restore
  // points that hold a Snapshot folder.
  const SystemBackupRow* newest = nullptr;
  for (const SystemBackupRow& row : lists.systemRows) {
    if (!restorePoints && platform::ansiUpper(row.fileName) == "RBBAD.CAB") continue;
    if (restorePoints && !core.env.files.directoryExists(folder + row.fileName + "\\Snapshot"))
      continue;
    lists.systemBackupsMenu.push_back(row.name + " - " + row.dateTime);
    if (!newest || row.modified > newest->modified) newest = &row;
  }
  if (newest) lists.newestSystemBackup = folder + newest->fileName;
}

}  // namespace corvasta
