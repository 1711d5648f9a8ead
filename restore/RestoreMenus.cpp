// The two pop-up menus of the source list: the program's backup sets
// (PopupMenu1) and Windows' own system backups or restore points
// (PopupMenu2). Choosing an item rewrites the source's list item to name the
// chosen backup and selects it.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "restore/RestoreSources.h"

namespace corvasta {

void RestoreSources::popUpProgramBackups() {
  // The menu shows the sets as they are now.
  backup.manager.RefreshBackupManager();
  changed();
  const std::optional<size_t> chosen =
      core.env.ui.popupMenu("Corvasta Backups", backup.manager.lists.programBackupsMenu);
  if (chosen) MostRecentBackup1Click(*chosen);
}

void RestoreSources::popUpSystemBackups() {
  const std::optional<size_t> position = positionOf(SourceItem::SystemBackups);
  const std::optional<size_t> chosen =
      core.env.ui.popupMenu(restoreSourcePlaceholders(core.WindowsMode)[*position],
                            backup.manager.lists.systemBackupsMenu);
  if (chosen) MostRecent1Click(*chosen);
}

void RestoreSources::MostRecentBackup1Click(size_t item) {
  const std::vector<std::string>& menu = backup.manager.lists.programBackupsMenu;
  if (item >= menu.size() || menu[item] == kNoBackups) return;
  MenuClick(item);
}

void RestoreSources::MenuClick(size_t item) {
  backup.manager.ChooseProgramBackup(item);
  select(SourceItem::ProgramBackups);
}

void RestoreSources::MostRecent1Click(size_t item) {
  const std::vector<std::string>& menu = backup.manager.lists.systemBackupsMenu;
  if (item >= menu.size()) return;
  if (menu[item] == "No Win" + core.ShortModeName + " Backups" ||
      menu[item] == "No WinXP Restore Points")
    return;
  MenuClick2(item);
}

void RestoreSources::MenuClick2(size_t item) {
  const std::vector<std::string>& menu = backup.manager.lists.systemBackupsMenu;
  if (item >= menu.size() || !positionOf(SourceItem::SystemBackups)) return;
  chosenSystemBackup_ = menu[item];
  select(SourceItem::SystemBackups);
}

std::string RestoreSources::systemBackupsPrefix() const {
  return "Win" + core.ShortModeName + (core.WindowsMode == 6 ? " Restore Point - " : " Backup - ");
}

void RestoreSources::select(SourceItem item) {
  const std::optional<size_t> position = positionOf(item);
  if (!position) return;
  if (core.restoreType == static_cast<int>(*position)) {
    changed();
    return;
  }
  core.restoreType = static_cast<int>(*position);
  RestorePageRefresh();
}

}  // namespace corvasta
