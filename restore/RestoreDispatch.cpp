// The Restore button: for the selected source, the source kind and the two
// registry paths the restore run starts with; and GetBackupFile, which finds
// a program backup set by its menu caption.

#include <algorithm>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "restore/RestoreRun.h"
#include "restore/RestoreSources.h"

namespace corvasta {
namespace {

constexpr const char* kProgramBackupPrefix = "Corvasta Backup - ";

std::string originalRegistryQuestion(bool lastItem) {
  return std::string(
             "Are you sure you want to Restore to the Original Registry?\r\rRestoring to the "
             "Original Registry will wipe out all present settings.\r\rWARNING - This should only "
             "be done as a last resort.\r\r") +
         (lastItem ? "  Continue?" : "Continue?");
}

}  // namespace

void RestoreSources::RestoreClick() {
  backup.manager.RefreshBackupManager();
  changed();
  platform::TIniFile(core.env.machine, core.settingsFile()).WriteInteger("Bootup", "Action", 0);
  state.sourceKind = SourceKind::ProgramBackup;
  state.runFailed = false;

  const std::optional<SourceItem> item = selectedItem();
  if (!item) {
    core.env.ui.messageBox(kSelectBackupToRestore, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  // An unavailable source was refused when it was selected.
  if (!available(*item)) return;
  const SystemLocations& loc = core.loc;
  switch (*item) {
    case SourceItem::PreviousRegistry:
      state.sourceKind = SourceKind::PlainRegistry;
      run.RunRestore(loc.userDir + "user.da0", loc.windowsDir + "system.da0");
      break;
    case SourceItem::SystemBackups:
      restoreSystemBackup();
      break;
    case SourceItem::SpareRegistry:
      // In the NT modes only the folder of the system path counts: the
      // spare there is the Windows directory's registry.daz.
      state.sourceKind = SourceKind::SpareRegistry;
      run.RunRestore(loc.userDir + "user.cvk", loc.windowsDir + "system.cvk");
      break;
    case SourceItem::ProgramBackups:
      restoreProgramBackup();
      break;
    case SourceItem::Removable:
      restoreRemovable();
      break;
    case SourceItem::OriginalRegistry:
      restoreOriginalRegistry();
      break;
  }
}

void RestoreSources::restoreSystemBackup() {
  state.sourceKind = SourceKind::WindowsBackup;
  // Item 0 still at its placeholder: the menu was dismissed, nothing chosen.
  if (!chosenSystemBackup_) return;
  const std::string& caption = *chosenSystemBackup_;
  const std::string newest = backup.manager.lists.newestSystemBackup;
  const bool restorePoint = core.WindowsMode == 6;
  std::string path;
  if (caption.rfind("Mos", 0) == 0) {
    if (newest.empty()) {
      // Only a backup that never counts as newest (rbbad.cab) is left.
      core.env.ui.messageBox(kSelectBackupToRestore, core.ApplicationTitle, Buttons::Ok);
      return;
    }
    path = restorePoint ? newest + "\\snapshot" : newest;
  } else if (restorePoint) {
    path =
        CheckPath(core.loc.systemBackupDir) + caption.substr(0, caption.find(" - ")) + "\\snapshot";
  } else {
    path = CheckPath(core.loc.systemBackupDir) + "rb" + caption.substr(0, 3) + ".cab";
  }
  run.RunRestore(path, path);
}

void RestoreSources::restoreProgramBackup() {
  const std::optional<size_t> position = positionOf(SourceItem::ProgramBackups);
  const std::string text = itemText(*position);
  if (text.rfind(kProgramBackupPrefix, 0) != 0) return;  // still the placeholder
  GetBackupFile(text.substr(std::string(kProgramBackupPrefix).size()));
}

void RestoreSources::restoreOriginalRegistry() {
  const bool lastItem = *positionOf(SourceItem::OriginalRegistry) == 4;
  if (core.env.ui.messageBox(originalRegistryQuestion(lastItem), core.ApplicationTitle,
                             Buttons::YesNo, Icon::Warning) != IDYES)
    return;
  state.sourceKind = SourceKind::OriginalRegistry;
  const SystemLocations& loc = core.loc;
  if (core.isWin9xMode()) {
    run.RunRestore(loc.userDir + "user.da0", loc.rootDir + "system.1st");
  } else {
    // Only the folder counts: the hives of the repair directory.
    run.RunRestore(loc.windowsDir + "repair\\user.dat", loc.windowsDir + "repair\\system.dat");
  }
}

void RestoreSources::GetBackupFile(const std::string& caption) {
  state.sourceKind = SourceKind::ProgramBackup;
  const BackupManagerLists& lists = backup.manager.lists;
  const std::vector<std::string>& menu = lists.programBackupsMenu;
  size_t n = 0;
  // The chosen item first: two sets in different folders may share a name.
  const size_t chosen = static_cast<size_t>(std::max(lists.backupToRestore, 0));
  if (chosen < menu.size() && menu[chosen] == caption) {
    n = chosen;
  } else {
    for (size_t i = 0; i < menu.size(); ++i) {
      if (menu[i] != caption) continue;
      n = i;
      break;
    }
  }
  if (n == 0) {
    // "Most Recent Backup": the set whose directory was written last; the
    // first of equally new sets wins.
    std::optional<uint64_t> newest;
    for (size_t i = 0; i < lists.rows.size(); ++i) {
      uint64_t written = 0;
      try {
        written = core.env.files.getFileAttributesEx(RemoveBackSl(lists.rows[i].directory()))
                      .times.lastWrite.value;
      } catch (const Error&) {
        continue;  // gone since the list was filled
      }
      if (newest && written <= *newest) continue;
      newest = written;
      n = i + 1;
    }
  }
  const std::string directory = platform::TIniFile(core.env.machine, core.settingsFile())
                                    .ReadString("Backup Directories", std::to_string(n), "@");
  if (directory == "@") {
    core.env.ui.messageBox(kBackupSetUnknown, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  GetCompressType(CheckPath(directory));
}

}  // namespace corvasta
