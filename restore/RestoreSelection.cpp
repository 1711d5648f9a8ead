// ComboBox1Change: a new source selected. An available system or program
// backups source pops up its menu; an unavailable source is refused with
// "<name> Not Available" and the selection moves on to the next usable one.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/profile/ini_file.h"
#include "restore/RestoreSources.h"

namespace corvasta {

void RestoreSources::ComboBox1Change(SelectionCaller caller) {
  sourceRefused = false;
  // The spare, previous and original registries are looked for again: a
  // backup made since the start leaves a new spare, and a copy deleted since
  // then must not be offered.
  FindAvailableSources();
  backup.manager.backupSetsPresent = platform::TIniFile(core.env.machine, core.settingsFile())
                                         .ValueExists("Backup Directories", "1");
  RestorePageRefresh();
  const std::optional<SourceItem> item = selectedItem();
  if (!item) return;

  const bool menusShown = caller == SelectionCaller::Page;
  if (available(*item)) {
    if (menusShown && *item == SourceItem::SystemBackups) popUpSystemBackups();
    if (menusShown && *item == SourceItem::ProgramBackups) popUpProgramBackups();
    return;
  }
  if (!refuse(*item)) return;
  sourceRefused = true;
  moveFromRefused();
}

// Shows the refusal of an unavailable source; false for a source that is
// never refused.
bool RestoreSources::refuse(SourceItem item) {
  std::string name;
  switch (item) {
    case SourceItem::PreviousRegistry:
      name = "Previous Registry";
      break;
    case SourceItem::SystemBackups:
      // Also in mode 6, whose item reads "WinXP Restore Points".
      name = "Win" + core.ShortModeName + " Backups";
      break;
    case SourceItem::SpareRegistry:
      name = "Spare Registry";
      break;
    case SourceItem::ProgramBackups:
      name = "Corvasta Backups";
      break;
    case SourceItem::Removable:
      return false;
    case SourceItem::OriginalRegistry:
      name = "Original Registry";
      break;
  }
  core.env.ui.messageBox(name + " Not Available", core.ApplicationTitle, Buttons::Ok);
  return true;
}

// The original registry, the last item, gives way to the first; every other
// unavailable item to the one after it, down to the removable drives, which
// are always there.
void RestoreSources::moveFromRefused() {
  const std::vector<SourceItem>& list = items();
  size_t position = static_cast<size_t>(core.restoreType);
  if (list[position] == SourceItem::OriginalRegistry) position = 0;
  while (position + 1 < list.size() && !available(list[position])) ++position;
  core.restoreType = static_cast<int>(position);
  // The boxes follow the source now selected, not the refused one.
  RestorePageRefresh();
}

}  // namespace corvasta
