#pragma once
// The Backup Manager page of the Preferences dialog: the list of the backup
// sets BackupManager keeps (captions, widths kept in `Backup Manager`,
// several rows selectable, a row's name edited in place), its buttons
// "&Delete", "&Rename" and "&Add", and the counters "Maximum Backups:" and
// "Keep:". The list itself is filled by BackupManager (backup/), which the
// backup run and the restore page use as well.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvasta {

class BackupManager;
class Core;

inline constexpr const char* kBackupsToDisksNotShown = "Backups to Disks are not shown";
inline constexpr const char* kMaximumBackupsHint =
    "Total number of Backups to reach (including the Keep number) before old Backups are "
    "replaced.";
inline constexpr const char* kKeepHint = "Number of Backups to keep and not replace";
inline constexpr const char* kAddSetHint = "Add lost Backup sets to this list.";
inline constexpr int kBackupCounterFirst = 0;
inline constexpr int kBackupCounterLast = 10000;

class BackupManagerPage {
 public:
  BackupManagerPage(Core& core, BackupManager& manager) : core(core), manager(manager) {}

  // --- The list -------------------------------------------------------------
  // "1 Backup" or the count + " Backups", "Full Path", "Date/Time".
  std::string columnCaption(size_t column) const;
  int columnWidth(size_t column) const;
  // The user dragged a column's edge; the settings save keeps the width.
  void ColumnResized(size_t column, int width);
  // The rows selected now (any number of them); rows beyond the list are
  // left out.
  void ListView1SelectItem(const std::vector<size_t>& rows);
  const std::vector<size_t>& selectedRows() const { return selected_; }
  // On each activation of the dialog, after the list is refilled: the first
  // column's caption follows the count (columnCaption) and the selection
  // that the refill dropped is cleared, "&Delete" and "&Rename" follow it.
  void RefreshCaptionAndButtons();
  bool deleteEnabled = false;
  bool renameEnabled = false;

  // --- Buttons --------------------------------------------------------------
  // "&Delete": acts when exactly one row is selected.
  void DeleteClick();
  // "&Rename": the (first) selected row's name becomes editable; the view
  // edits it and calls ListView1Edited.
  void RenameClick();
  std::optional<size_t> editingRow;
  // An in-place edit of row `row` ended with `newName`. A name that cannot
  // be a set's folder is refused with the backup naming message and the set
  // keeps its name; false then, and when the folder could not be renamed.
  bool ListView1Edited(size_t row, const std::string& newName);
  // "&Add": the chooser "Find the Directory of a Backup Set", then AddSet.
  void AddClick();
  // Registers `directory` as a set; false (with the message) when it is
  // listed already.
  bool AddSet(const std::string& directory);
  // Whether `directory` (with final backslash) is in the register.
  bool isRegistered(const std::string& directory) const;

  // --- Counters -------------------------------------------------------------
  void MaximumChanged(int value);
  void KeepChanged(int value);

  // The dialog's changed state ("&Apply"); set by the dialog.
  std::function<void()> OnChange;

  Core& core;
  BackupManager& manager;

 private:
  void changed() {
    if (OnChange) OnChange();
  }
  std::vector<size_t> selected_;
};

}  // namespace corvasta
