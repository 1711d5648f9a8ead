// The items of a backup in their order: the Registry, the WinFiles items
// (WinConfig files, User Profile folders, the Control Panel group) and the
// selected Other Files entries.

#include "app/Unit1.h"
#include "archive/zip_error.h"
#include "backup/BackupTypes.h"
#include "backup/WinFiles.h"

namespace corvasta {
namespace {

bool checked(const std::vector<int>& checks, size_t index) {
  return index < checks.size() && checks[index] == 1;
}

// A cancel between items ends the run like a cancel inside the archive engine.
void stopWhenCancelled(const TForm1& form) {
  if (form.runCancelled()) throw archive::ZipUserCancel("User Cancelled");
}

// The user's shell folders, under HKEY_CURRENT_USER.
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

void TForm1::backupItems(BackupRunState& run) {
  const BackupConfigRecord& settings = Form8.config;
  const std::vector<WinFilesItem>& items = winFilesItems(WindowsMode);
  TransferMode = run.transferMode;
  ConfigRunsAutomatically = run.automatic;
  if (checked(settings.winFilesChecks, 0)) {
    SetMultiMode(Zip1);
    try {
      BackupRegistry(run.step);
    } catch (const Error&) {
      env.ui.messageBox(kBackupNotSuccessful, ApplicationTitle, Buttons::Ok, Icon::Warning);
      RemoveUnpackedSystemBackup();
      ErrorFlag = true;
      ErrorList.push_back(kRegistryNotBackedUp);
      throw;
    }
  }
  if (settings.backupType == kIncrementalBackup || settings.backupType == kDifferentialBackup) {
    Zip1.SkipIfArchiveBitNotSet = true;
    Zip2.SkipIfArchiveBitNotSet = true;
  }
  for (size_t i = 1; i < items.size(); ++i) {
    if (!checked(settings.winFilesChecks, i)) continue;
    stopWhenCancelled(*this);
    const WinFilesItem& item = items[i];
    SetMultiMode(Zip1);
    switch (item.kind) {
      case WinFilesKind::WinConfigFile:
        BackupFile(winFilesSourcePath(item, loc), run.setDir, run.transferMode, run.step);
        break;
      case WinFilesKind::ProfileFolder:
        ZipDir(run.setDir + item.archive, kShellFolders, run.step, true,
               platform::HKEY_CURRENT_USER, item.fallback, item.shellFolder);
        break;
      case WinFilesKind::ControlPanel:
        BackupControlPanel(run.step);
        break;
      case WinFilesKind::Registry:
        break;
    }
  }
  for (size_t i = 0; i < settings.otherFilesChecks.size(); ++i) {
    if (!checked(settings.otherFilesChecks, i)) continue;
    stopWhenCancelled(*this);
    SetMultiMode(Zip1);
    BackupOtherFilesEntry(static_cast<int>(i), run.step);
  }
  stopWhenCancelled(*this);
}

}  // namespace corvasta
