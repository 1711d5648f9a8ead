// The disk prompts before a backup to a removable disk (or a packet-written
// CD): a disk must be in the drive, and with "Delete all files on Disk
// before Backup" it is emptied first.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/DeleteFiles.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"

namespace corvasta {

bool BackupRun::prepareDisk(const BackupRunState& run) {
  if (!core.targetIsRemovable()) return true;
  const bool deleteFirst = core.Form8.config.deleteFiles;
  const platform::Drive* drive = core.env.machine.drive(run.setDir[0]);
  const auto ready = [drive] { return drive != nullptr && drive->ready(); };
  const auto askForDisk = [this](const char* text) {
    if (core.env.ui.messageBox(text, kInsertDiskCaption, Buttons::OkCancel, Icon::Warning) == IDOK)
      return true;
    core.ErrorFlag = true;
    core.ErrorList.push_back(kBackupCanceled);
    return false;
  };
  // With deleting first the warning comes once when no disk is in the drive;
  // otherwise the question comes back until there is one.
  if (deleteFirst) {
    if (!ready() && !askForDisk(kInsertDiskDeleting)) return false;
  } else {
    while (!ready())
      if (!askForDisk(kInsertDisk)) return false;
  }
  if (!ready()) throw platform::OsError(platform::WinError::NotReady, run.setDir.substr(0, 3));
  core.createDirectories(run.setDir);
  if (deleteFirst) {
    core.Form4.view.status = "Deleting Files in " + run.setDir;
    core.env.ui.showProgress(core.Form4.view);
    DeleteSubDirs(core, run.setDir);
    core.createDirectories(run.setDir);
  }
  return true;
}

}  // namespace corvasta
