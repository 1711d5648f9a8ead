#pragma once
// The Crash Fixer page's first two steps and the dispatch of the third: the
// restore sources of the Windows mode and their availability, the menus that
// choose one backup, the extent boxes, the classification of a program
// backup set, and the Restore button, which starts the restore run.
//
// The implementation is spread over files by concern:
//   RestoreSourceList.cpp   the items per mode, their texts, availability, the extent boxes
//   RestoreSelection.cpp    ComboBox1Change and the "Not Available" cascade
//   RestoreMenus.cpp        the two pop-up menus and their click handlers
//   RestoreDispatch.cpp     RestoreClick per source, GetBackupFile
//   RemovableSource.cpp     the "Specify the Disk" choice and the disk prompt loop
//   SetClassification.cpp   GetCompressType, CurrentUserEntry

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;
class RestoreRun;

// What an entry of the source list stands for.
enum class SourceItem {
  PreviousRegistry,  // mode 1: system.da0 and user.da0
  SystemBackups,     // modes 2, 3: rb???.cab; mode 6: restore points
  SpareRegistry,
  ProgramBackups,  // the program's own backup sets
  Removable,       // "Diskette, CD, Removable Drive"
  OriginalRegistry
};

// The source list's items of a Windows mode, in list order.
std::vector<SourceItem> restoreSourceItems(int windowsMode);
// Their unrewritten texts (the placeholders).
std::vector<std::string> restoreSourcePlaceholders(int windowsMode);

// Who changed the selection: the page itself, or the Restore Wizard, which
// shows no menu and learns of a refusal through `sourceRefused`.
enum class SelectionCaller { Page, Wizard };

// Texts of the page.
inline constexpr const char* kSelectBackupToRestore = "Please select a Backup to restore.";
inline constexpr const char* kSpecifyTheDisk = "Specify the Disk";
inline constexpr const char* kDirectoryIncorrect = "The Directory specified is incorrect.";
inline constexpr const char* kBackupSetUnknown = "Error - Backup Set Unknown";
inline constexpr const char* kNoRegistryInSet =
    "No Registry found in Backup Set.\r\rPlease choose another Backup Set or uncheck Windows "
    "Crash.";
inline constexpr const char* kNoBackupSetFound =
    "No Backup Set Found.\r\rPlease make a backup first.";
inline constexpr const char* kInsertLastDisk =
    "Please insert the last disk with user.daz or user.da- on it.";

class RestoreSources {
 public:
  RestoreSources(Core& core, Backup& backup, RestoreState& state, RestoreRun& run)
      : core(core), backup(backup), state(state), run(run) {}

  // --- The source list (RestoreSourceList.cpp) ----------------------------------
  const std::vector<SourceItem>& items() const;
  // The text an item shows now: its placeholder or the rewritten text that
  // names the chosen backup.
  std::string itemText(size_t index) const;
  std::vector<std::string> itemTexts() const;
  // The selected item (the core's restoreType); none when out of range.
  std::optional<SourceItem> selectedItem() const;
  std::optional<size_t> positionOf(SourceItem item) const;
  // The availability flags of the previous, spare and original registries,
  // looked for at start and on every new selection.
  void FindAvailableSources();
  bool available(SourceItem item) const;
  // "Windows will Restart" is shown while WinCrash or WinUsers is checked.
  bool willRestart() const;

  // --- The page's handlers ----------------------------------------------------------
  // A new selection (the core's restoreType). The wizard calls it with
  // SelectionCaller::Wizard.
  void ComboBox1Change(SelectionCaller caller = SelectionCaller::Page);
  // Enables and pre-checks the extent boxes for the selected item.
  void RestorePageRefresh();
  void WinCrashClick(bool checked);
  void WinUsersClick(bool checked);
  // The program backups menu's items (index into the Backup Manager's
  // programBackupsMenu) and the system backups menu's items (systemBackupsMenu).
  void MostRecentBackup1Click(size_t item);
  void MenuClick(size_t item);
  void MostRecent1Click(size_t item);
  void MenuClick2(size_t item);
  // The Restore button.
  void RestoreClick();
  // A program backup set by its menu caption, classified and restored.
  void GetBackupFile(const std::string& caption);
  // Classifies the set directory `setDir` (final backslash) and starts the run.
  void GetCompressType(const std::string& setDir);
  // "user" + i of the current user's entry in setDir's user.ini; "user0" when none.
  std::string CurrentUserEntry(const std::string& setDir);

  // Raised whenever the page's items, selection or boxes changed, so that a
  // view can show them again.
  std::function<void()> OnPageChanged;
  // Set when the last ComboBox1Change refused the selected source (the
  // Restore Wizard's source-refused indication).
  bool sourceRefused = false;

  Core& core;
  Backup& backup;
  RestoreState& state;
  RestoreRun& run;

 private:
  // RestoreSelection.cpp
  bool refuse(SourceItem item);
  void moveFromRefused();
  // RestoreMenus.cpp
  void popUpProgramBackups();
  void popUpSystemBackups();
  std::string systemBackupsPrefix() const;
  void select(SourceItem item);
  // RestoreDispatch.cpp
  void restoreSystemBackup();
  void restoreProgramBackup();
  void restoreOriginalRegistry();
  // RemovableSource.cpp
  void restoreRemovable();
  bool askForDisk(const std::string& setDir);
  // SetClassification.cpp
  std::string searchPattern(const std::string& setDir);
  std::optional<std::string> findRegistryEntry(const std::string& setDir,
                                               const std::string& pattern);
  void changed();

  bool previousRegistryAvailable_ = false;  // mode 1: system.da0 and user.da0 exist
  bool spareRegistryAvailable_ = false;
  bool originalRegistryAvailable_ = false;
  // The system backups menu's caption chosen for item 0 (modes 2, 3, 6);
  // none while item 0 shows its placeholder.
  std::optional<std::string> chosenSystemBackup_;
};

}  // namespace corvasta
