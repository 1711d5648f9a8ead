#include "prefs/SystemBackupsPage.h"

#include <algorithm>
#include <charconv>

#include "app/core/Core.h"
#include "backup/BackupManager.h"
#include "backup/DeleteFiles.h"
#include "platform/files/file_system.h"

namespace corvasta {

bool SystemBackupsPage::present() const {
  return core.WindowsMode == 2 || core.WindowsMode == 3 || core.WindowsMode == 6;
}

std::string SystemBackupsPage::columnCaption(size_t column) const {
  switch (column) {
    case 0:
      return core.WindowsMode == 6 ? "Restore Points" : "Win" + core.ShortModeName + " Backups";
    case 1:
      return "Date/Time";
    case 2:
      return "Size";
    default:
      return {};
  }
}

int SystemBackupsPage::columnWidth(size_t column) const {
  if (column >= 3 || (column == 2 && core.WindowsMode == 6)) return 0;
  return core.Form8.win98ListColumns[column];
}

void SystemBackupsPage::ColumnResized(size_t column, int width) {
  if (column >= 3 || width < 0 || (column == 2 && core.WindowsMode == 6)) return;
  core.Form8.win98ListColumns[column] = width;
  manager.lists.systemColumnWidths[column] = width;
}

std::string SystemBackupsPage::sizeText(size_t row) const {
  return row < manager.lists.systemRows.size() ? std::to_string(manager.lists.systemRows[row].size)
                                               : std::string();
}

std::string SystemBackupsPage::deleteHint() const {
  return "Deletes the selected Win" + core.ShortModeName +
         (core.WindowsMode == 6 ? " Restore Point" : " backup") + " from the hard drive.";
}

void SystemBackupsPage::ListView2SelectItem(std::optional<size_t> row) {
  if (row && *row >= manager.lists.systemRows.size()) row.reset();
  selected_ = row;
  deleteEnabled = selected_.has_value();
}

void SystemBackupsPage::DeleteClick() {
  if (!selected_ || *selected_ >= manager.lists.systemRows.size()) {
    core.env.ui.messageBox(kSelectAnItem, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  const std::string folder = CheckPath(core.loc.systemBackupDir);
  const SystemBackupRow chosen = manager.lists.systemRows[*selected_];
  if (core.WindowsMode == 6) {
    DeleteSubDirs(core, folder + chosen.name + "\\");
  } else {
    const std::string file = folder + "rb" + chosen.name.substr(0, 3) + ".cab";
    try {
      core.env.files.setFileAttributes(file, platform::kAttributeNormal);
      core.env.files.deleteFile(file);
    } catch (const platform::OsError&) {
      // A backup Windows holds open stays; the refreshed list still shows it.
    }
  }
  manager.RefreshBackupManager();
  ListView2SelectItem(std::nullopt);
}

bool SystemBackupsPage::counterVisible() const {
  return core.WindowsMode == 2 || core.WindowsMode == 3;
}

std::string SystemBackupsPage::counterCaption() const {
  return "&Maximum Number of Win" + core.ShortModeName + " Backups";
}

int SystemBackupsPage::counterPosition() const {
  const std::string& text = core.loc.maxBackupCopies;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return kSystemBackupCounterDefault;
  return std::clamp(value, kSystemBackupCounterFirst, kSystemBackupCounterLast);
}

void SystemBackupsPage::UpDownClick(bool up) {
  const int next = std::clamp(counterPosition() + (up ? 1 : -1), kSystemBackupCounterFirst,
                              kSystemBackupCounterLast);
  core.loc.maxBackupCopies = std::to_string(next);
  if (OnChange) OnChange();
}

}  // namespace corvasta
