// The registry capture of Windows 95, 98 and ME: every user's user.dat, the
// system.dat and (ME) classes.dat go into the backup set one by one, and
// spare ".cvk" copies are left beside the registry files. On Windows 98 a
// fresh system backup is made first and unpacked to be the spares' source.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

constexpr const char* kBackingUpRegistry = "Backing up the Registry";
// ShowWindow's SW_HIDE: scanregw runs without a window.
constexpr int kShowHidden = 0;

void showStatus(RegistryCapture& form, const std::string& status) {
  form.core.Form4.view.status = status;
  form.core.env.ui.showProgress(form.core.Form4.view);
}

// The backup manager's lists follow Windows' backups; the newest cabinet of
// the system-backup folder is the capture's.
std::string refreshSystemBackups(RegistryCapture& form) {
  form.manager.RefreshBackupManager();
  const SystemLocations& loc = form.core.loc;
  std::string folder = loc.systemBackupDir;
  if (folder.empty()) folder = loc.defaultSystemBackupDir;
  if (folder.empty()) folder = loc.windowsDir + "sysbckup\\";
  return newestSystemBackup(form.core.env.files, CheckPath(folder));
}

// Has Windows make a fresh system backup. When scanregw cannot be run the
// capture goes on with the newest backup there is.
void makeSystemBackup(RegistryCapture& form) {
  try {
    form.core.Exec(form.core.loc.windowsDir + "scanregw.exe /backup", kShowHidden);
  } catch (const Error& error) {
    form.core.Log("scanregw.exe /backup could not be run: " + std::string(error.what()));
  }
}

void captureRegistryFiles(RegistryCapture& form, int step) {
  const SystemLocations& loc = form.core.loc;
  const std::string& windows = loc.windowsDir;
  const std::string& setDir = form.core.backupRun.backupSetDir;
  const int mode = form.TransferMode;
  const std::string target = mode == kTransferZip ? ".daz" : ".dat";
  const bool previous = form.core.WindowsMode == 1 && form.core.Form8.config.previousRegistry;
  // Where the spare copies come from: the registry as it is, or on Windows 98
  // the system backup Windows has just made.
  std::string spareSource = windows;

  if (form.core.WindowsMode == 2) {
    showStatus(form, kBackingUpRegistry);
    if (!form.ConfigRunsAutomatically) makeSystemBackup(form);
    const std::string newest = refreshSystemBackups(form);
    if (!newest.empty()) {
      // Named before unpacking, so that a cabinet failing half-way leaves no
      // folder behind.
      form.UnpackedSystemBackup = firstFreeWorkingFolder(form.core.env.files, windows);
      form.UnpackedSystemBackup = form.extractFolder.CreateExtractDir(newest, 0);
      spareSource = CheckPath(form.UnpackedSystemBackup);
    }
  }
  showStatus(form, kBackingUpRegistry);
  refreshSystemBackups(form);

  const auto spare = [&form](const std::string& source, const std::string& dest) {
    form.archiving.AttrCopy(source, dest, false, kTransferCopyQuiet, 0);
  };
  spare(form.core.WindowsMode == 1 ? loc.userDir + "user.da0" : spareSource + "user.dat",
        windows + "user.cvk");
  const int currentUser =
      form.items.ZipOtherUsers("user.dat", setDir + "user.daz", step, mode, "", "");
  form.archiving.AttrCopy(previous ? windows + "user.cvk" : loc.userDir + "user.dat",
                          setDir + "user" + std::to_string(currentUser) + target, false, mode,
                          step);

  spare(form.core.WindowsMode == 1 ? windows + "system.da0" : spareSource + "system.dat",
        windows + "system.cvk");
  form.archiving.AttrCopy(previous ? windows + "system.cvk" : windows + "system.dat",
                          setDir + "system" + target, false, mode, step);

  if (form.core.WindowsMode == 3) {
    spare(spareSource + "classes.dat", windows + "classes.cvk");
    form.archiving.AttrCopy(windows + "classes.dat", setDir + "classes" + target, false, mode,
                            step);
  }
}

}  // namespace

void RegistryCapture::Backup9xRegistry(int step) {
  try {
    captureRegistryFiles(*this, step);
  } catch (...) {
    RemoveUnpackedSystemBackup();
    throw;
  }
  RemoveUnpackedSystemBackup();
}

void RegistryCapture::RemoveUnpackedSystemBackup() {
  if (UnpackedSystemBackup.empty()) return;
  const std::string folder = UnpackedSystemBackup;
  UnpackedSystemBackup.clear();
  if (core.env.files.directoryExists(folder)) extractFolder.DeleteDir(folder);
}

}  // namespace corvasta
