// The items of a backup in their order: the Registry, the WinFiles items
// (WinConfig files, User Profile folders, the Control Panel group) and the
// selected Other Files entries.

#include "app/core/Core.h"
#include "archive/zip_error.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"
#include "backup/model/WinFiles.h"

namespace corvasta {
namespace {

bool checked(const std::vector<int>& checks, size_t index) {
  return index < checks.size() && checks[index] == 1;
}

// A cancel between items ends the run like a cancel inside the archive engine.
void stopWhenCancelled(const BackupRun& form) {
  if (form.core.runCancelled()) throw archive::ZipUserCancel("User Cancelled");
}

// The user's shell folders, under HKEY_CURRENT_USER.
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

void BackupRun::backupItems(BackupRunState& run) {
  const BackupConfigRecord& settings = core.Form8.config;
  const std::vector<WinFilesItem>& winFiles = winFilesItems(core.WindowsMode);
  registry.TransferMode = run.transferMode;
  registry.ConfigRunsAutomatically = run.automatic;
  if (checked(settings.winFilesChecks, 0)) {
    archiving.SetMultiMode(core.Zip1);
    try {
      registry.BackupRegistry(run.step);
    } catch (const Error&) {
      core.env.ui.messageBox(kBackupNotSuccessful, core.ApplicationTitle, Buttons::Ok,
                             Icon::Warning);
      registry.RemoveUnpackedSystemBackup();
      core.ErrorFlag = true;
      core.ErrorList.push_back(kRegistryNotBackedUp);
      throw;
    }
  }
  if (settings.backupType == kIncrementalBackup || settings.backupType == kDifferentialBackup) {
    core.Zip1.SkipIfArchiveBitNotSet = true;
    core.Zip2.SkipIfArchiveBitNotSet = true;
  }
  for (size_t i = 1; i < winFiles.size(); ++i) {
    if (!checked(settings.winFilesChecks, i)) continue;
    stopWhenCancelled(*this);
    const WinFilesItem& item = winFiles[i];
    archiving.SetMultiMode(core.Zip1);
    switch (item.kind) {
      case WinFilesKind::WinConfigFile:
        archiving.BackupFile(winFilesSourcePath(item, core.loc.rootDir, core.loc.windowsDir,
                                                core.loc.commandInterpreter),
                             run.setDir, run.transferMode, run.step);
        break;
      case WinFilesKind::ProfileFolder:
        items.ZipDir(run.setDir + item.archive, kShellFolders, run.step, true,
                     platform::HKEY_CURRENT_USER, item.fallback, item.shellFolder);
        break;
      case WinFilesKind::ControlPanel:
        items.BackupControlPanel(run.step);
        break;
      case WinFilesKind::Registry:
        break;
    }
  }
  for (size_t i = 0; i < settings.otherFilesChecks.size(); ++i) {
    if (!checked(settings.otherFilesChecks, i)) continue;
    stopWhenCancelled(*this);
    archiving.SetMultiMode(core.Zip1);
    items.BackupOtherFilesEntry(static_cast<int>(i), run.step);
  }
  stopWhenCancelled(*this);
}

}  // namespace corvasta
