#pragma once
// The Backup Manager's lists and the restore menus built from them: the
// backup sets of the set register whose directories exist, the backups
// Windows keeps of its registry (Windows 98 and ME: rb???.cab; XP: restore
// points), the two menus of the restore page and its program-backups entry.
// BackupManager's RefreshBackupManager (the main window's FillList) fills
// them; the Preferences dialog and the restore page show them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/file_time.h"

namespace corvasta {

struct BackupSetRow {
  std::string name;      // last component of the set directory, no backslash
  std::string folder;    // the directory holding the set, with final backslash
  std::string dateTime;  // the set directory's modification time
  std::string directory() const { return folder + name + "\\"; }
};

struct SystemBackupRow {
  std::string name;      // rb???.cab: the three characters after "rb"; XP: the restore point
  std::string fileName;  // the file's or directory's own name
  std::string dateTime;
  uint64_t size = 0;
  uint64_t modified = 0;  // file time, for finding the newest
};

inline constexpr const char* kMostRecentBackup = "Most Recent Backup";
inline constexpr const char* kNoBackups = "No Backups";
inline constexpr const char* kMostRecent = "Most Recent";

struct BackupManagerLists {
  std::array<int, 3> columnWidths{100, 197, 100};
  std::vector<BackupSetRow> rows;
  // Program backups menu: "Most Recent Backup" or "No Backups", then one item
  // per listed set.
  std::vector<std::string> programBackupsMenu{kNoBackups};
  // The restore source list's entry for the program's backups.
  std::string restoreSourceCaption = std::string("Corvasta Backup - ") + kNoBackups;
  int backupToRestore = 0;
  bool backupsPresent = false;

  // Windows modes 2, 3 and 6.
  std::array<int, 3> systemColumnWidths{100, 166, 75};
  std::string systemColumn1Caption;
  std::vector<SystemBackupRow> systemRows;
  std::vector<std::string> systemBackupsMenu;
  std::string newestSystemBackup;  // full path; empty without system backups
  bool systemBackupsPresent = false;

  // "1 Backup", otherwise the count and " Backups".
  std::string column1Caption() const {
    return rows.size() == 1 ? "1 Backup" : std::to_string(rows.size()) + " Backups";
  }
};

// Messages of the Backup Manager.
inline constexpr const char* kKeepBelowMaximum =
    "The Keep value must be less than the Maximum Backups value.";
inline constexpr const char* kSelectAnItem = "Please select an item from the list.";

// "The <dir> directory could not be removed. ..." with its caption.
std::string subdirectoriesQuestion(const std::string& directory);
std::string subdirectoriesCaption(const std::string& directory);
// "You have too many Backups. ..." for the Maximum field's text.
std::string tooManyBackupsMessage(const std::string& maximumText);

class Core;

// The Backup Manager: its lists, the removal of a set directory that its
// page's "&Delete" and the backup run's rotation share, and the rules of its
// two counters. Its page's buttons are the Preferences dialog's
// (prefs/BackupManagerPage.h).
class BackupManager {
 public:
  explicit BackupManager(Core& core) : core(core) {}

  // Rebuilds the lists and the restore menus (the main window's FillList).
  void RefreshBackupManager();
  void fillSystemBackups();
  // A file time in the locale's short date and long time.
  std::string FileDateTime(const platform::FileTime& time) const;
  // The restore page's program backups menu item `item` chosen.
  void ChooseProgramBackup(size_t item);
  // Empties and removes a set directory; asks before deleting its subfolders
  // unless `withoutAsking`. A directory the register should never have named
  // (see protectedSetDirectory) is refused with a message naming it and left
  // as it is: false.
  bool RemoveBackupSetDirectory(const std::string& directory, bool withoutAsking);
  // Why `directory` must not be emptied as a backup set: the message naming
  // it when it is a drive root or is or holds the program, Windows or System
  // directory; nullopt otherwise. Both sides are compared in their 8.3 forms
  // without case, so a short spelling in the register is caught too.
  std::optional<std::string> protectedSetDirectory(const std::string& directory) const;
  // "Keep" or "Maximum Backups" changed; any preference changed.
  void KeepOrMaximumChanged();
  void CheckMaximumBackups();

  BackupManagerLists lists;
  bool backupSetsPresent = false;

  Core& core;
};

}  // namespace corvasta
