// RefreshBackupManager (the FillList step): rebuilds the Backup Manager's
// lists and the restore page's menus from the set register and the disk. A
// registered set whose directory is gone is dropped and the register is
// written back without it.

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/SettingsNames.h"
#include "backup/Backup.h"
#include "backup/SetRegister.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

std::array<int, 3> columnWidths(const platform::TIniFile& settings, std::string_view section,
                                const std::array<int, 3>& defaults) {
  std::array<int, 3> widths{};
  for (size_t i = 0; i < widths.size(); ++i)
    widths[i] = settings.ReadInteger(section, kColumnWidthKeys[i], defaults[i]);
  return widths;
}

}  // namespace

std::string BackupManager::FileDateTime(const platform::FileTime& time) const {
  const platform::SystemTime shown =
      core.env.machine.localSystemTime(time).value_or(platform::SystemTime{});
  const platform::LocaleFormats locale = platform::machineLocale(core.env.machine);
  return platform::formatDate(shown, locale.shortDate) + " " +
         platform::formatTime(shown, locale.longTime);
}

void BackupManager::RefreshBackupManager() {
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  lists.columnWidths = columnWidths(settings, "Backup Manager", {100, 197, 100});
  // The settings save writes the widths back from the dialog's values.
  core.Form8.backupManagerColumns = lists.columnWidths;
  lists.rows.clear();
  lists.programBackupsMenu.assign(1, kNoBackups);

  SetRegister reg(core.env.machine, core.settingsFile());
  const std::vector<RegisteredSet> registered = reg.entries();
  std::vector<RegisteredSet> listed;
  for (const RegisteredSet& set : registered) {
    const std::string directory = RemoveBackSl(set.path);
    const size_t cut = directory.find_last_of('\\');
    try {
      if (cut == std::string::npos || !core.env.files.directoryExists(directory)) continue;
      const platform::FileInfo info = core.env.files.getFileAttributesEx(directory);
      BackupSetRow row{directory.substr(cut + 1), directory.substr(0, cut + 1),
                       FileDateTime(info.times.lastWrite)};
      listed.push_back({set.path, ShortFileName(core.env.machine, set.path)});
      lists.rows.push_back(std::move(row));
    } catch (const Error&) {
      // An unreadable set directory is left out like a missing one.
    }
  }
  if (listed.size() != registered.size()) {
    for (size_t i = 0; i < listed.size(); ++i) listed[i].path = lists.rows[i].directory();
    reg.rewrite(listed);
  } else {
    for (size_t i = 0; i < listed.size(); ++i) reg.write(static_cast<int>(i + 1), listed[i]);
  }

  lists.backupsPresent = !lists.rows.empty();
  lists.programBackupsMenu.front() = lists.backupsPresent ? kMostRecentBackup : kNoBackups;
  for (const BackupSetRow& row : lists.rows) lists.programBackupsMenu.push_back(row.name);

  int chosen = settings.ReadInteger(kRestorePreferences, "Backup to Restore", 0);
  if (chosen < 0) chosen = 0;
  if (chosen > static_cast<int>(lists.rows.size())) {
    chosen = 0;
    settings.WriteInteger(kRestorePreferences, "Backup to Restore", 0);
  }
  lists.backupToRestore = chosen;
  lists.restoreSourceCaption =
      "Corvasta Backup - " + lists.programBackupsMenu[static_cast<size_t>(chosen)];
  backupSetsPresent = lists.backupsPresent;

  core.Form8.otherFilesNames = readOtherFilesNames(settings);
  core.Form8.config.otherFilesChecks.resize(core.Form8.otherFilesNames.size(), 0);

  if (core.WindowsMode == 2 || core.WindowsMode == 3 || core.WindowsMode == 6) fillSystemBackups();
}

void BackupManager::ChooseProgramBackup(size_t item) {
  if (item >= lists.programBackupsMenu.size() || lists.programBackupsMenu[item] == kNoBackups)
    return;
  lists.backupToRestore = static_cast<int>(item);
  lists.restoreSourceCaption = "Corvasta Backup - " + lists.programBackupsMenu[item];
  platform::TIniFile(core.env.machine, core.settingsFile())
      .WriteInteger(kRestorePreferences, "Backup to Restore", static_cast<int>(item));
}

}  // namespace corvasta
