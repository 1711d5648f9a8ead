// RefreshBackupManager (the FillList step): rebuilds the Backup Manager's
// lists and the restore page's menus from the set register and the disk. A
// registered set whose directory is gone is dropped and the register is
// written back without it.

#include <algorithm>

#include "app/SettingsConfigRecord.h"
#include "app/SettingsNames.h"
#include "app/Unit1.h"
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

std::string TForm1::FileDateTime(const platform::FileTime& time) const {
  const platform::SystemTime shown =
      env.machine.localSystemTime(time).value_or(platform::SystemTime{});
  const platform::LocaleFormats locale = platform::machineLocale(env.machine);
  return platform::formatDate(shown, locale.shortDate) + " " +
         platform::formatTime(shown, locale.longTime);
}

void TForm1::RefreshBackupManager() {
  platform::TIniFile settings(env.machine, settingsFile());
  BackupManagerLists& lists = BackupManager;
  lists.columnWidths = columnWidths(settings, "Backup Manager", {100, 197, 100});
  lists.rows.clear();
  lists.programBackupsMenu.assign(1, kNoBackups);

  SetRegister reg(env.machine, settingsFile());
  const std::vector<RegisteredSet> registered = reg.entries();
  std::vector<RegisteredSet> listed;
  for (const RegisteredSet& set : registered) {
    const std::string directory = RemoveBackSl(set.path);
    const size_t cut = directory.find_last_of('\\');
    try {
      if (cut == std::string::npos || !env.files.directoryExists(directory)) continue;
      const platform::FileInfo info = env.files.getFileAttributesEx(directory);
      BackupSetRow row{directory.substr(cut + 1), directory.substr(0, cut + 1),
                       FileDateTime(info.times.lastWrite)};
      listed.push_back({set.path, ShortFileName(env.machine, set.path)});
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

  Form8.otherFilesNames = readOtherFilesNames(settings);
  Form8.config.otherFilesChecks.resize(Form8.otherFilesNames.size(), 0);

  if (WindowsMode == 2 || WindowsMode == 3 || WindowsMode == 6) fillSystemBackups();
}

void TForm1::ChooseProgramBackup(size_t item) {
  BackupManagerLists& lists = BackupManager;
  if (item >= lists.programBackupsMenu.size() || lists.programBackupsMenu[item] == kNoBackups)
    return;
  lists.backupToRestore = static_cast<int>(item);
  lists.restoreSourceCaption = "Corvasta Backup - " + lists.programBackupsMenu[item];
  platform::TIniFile(env.machine, settingsFile())
      .WriteInteger(kRestorePreferences, "Backup to Restore", static_cast<int>(item));
}

}  // namespace corvasta
