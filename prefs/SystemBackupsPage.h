#pragma once
// The system-backup page of the Preferences dialog (Windows modes 2, 3 and
// 6: "Win98 Backups", "WinME Backups", "WinXP Restore Points"): the backups
// Windows keeps of its registry as BackupManager lists them, sorted by
// name, with "&Delete" and, in modes 2 and 3, the counter "&Maximum Number
// of Win98 Backups" (Windows' own MaxBackupCopies, 1 to 1000, changed by its
// arrows only).

#include <functional>
#include <optional>
#include <string>

namespace corvasta {

class BackupManager;
class Core;

inline constexpr int kSystemBackupCounterFirst = 1;
inline constexpr int kSystemBackupCounterLast = 1000;
// The counter's position while scanreg.ini gave no number: Windows' default.
inline constexpr int kSystemBackupCounterDefault = 5;

class SystemBackupsPage {
 public:
  SystemBackupsPage(Core& core, BackupManager& manager) : core(core), manager(manager) {}

  // Whether the Windows mode has the page at all.
  bool present() const;
  // Modes 2, 3: "Win" + short mode name + " Backups"; mode 6: "Restore
  // Points"; then "Date/Time" and "Size".
  std::string columnCaption(size_t column) const;
  // From `Win98 List`; the third column has width 0 (hidden) in mode 6.
  int columnWidth(size_t column) const;
  void ColumnResized(size_t column, int width);
  // The "Size" column's text of a row: the bytes in decimal.
  std::string sizeText(size_t row) const;

  // "Deletes the selected Win" + short mode name + " backup from the hard
  // drive." (mode 6: "... Restore Point from the hard drive.").
  std::string deleteHint() const;
  void ListView2SelectItem(std::optional<size_t> row);
  std::optional<size_t> selectedRow() const { return selected_; }
  bool deleteEnabled = false;
  // "&Delete": "Please select an item from the list." without a selection;
  // otherwise the file rb???.cab, or the restore point's folders, go.
  void DeleteClick();

  // The counter: shown in modes 2 and 3 only.
  bool counterVisible() const;
  std::string counterCaption() const;
  int counterPosition() const;
  // One arrow click: up (+1) or down (-1), kept within 1..1000.
  void UpDownClick(bool up);

  std::function<void()> OnChange;

  Core& core;
  BackupManager& manager;

 private:
  std::optional<size_t> selected_;
};

}  // namespace corvasta
