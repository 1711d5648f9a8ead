// The registry capture of Windows 95, 98 and ME: every user's user.dat, the
// system.dat and (ME) classes.dat go into the backup set one by one, and
// spare ".cvk" copies are left beside the registry files. On Windows 98 a
// fresh system backup is made first and unpacked to be the spares' source.

#include "app/Unit1.h"
#include "backup/BackupTypes.h"
#include "backup/RegistryCapturePaths.h"
#include "backup/RegistryCaptureSystemBackup.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

constexpr const char* kBackingUpRegistry = "Backing up the Registry";
// ShowWindow's SW_HIDE: scanregw runs without a window.
constexpr int kShowHidden = 0;

void showStatus(TForm1& form, const std::string& status) {
  form.Form4.view.status = status;
  form.env.ui.showProgress(form.Form4.view);
}

// The backup manager's lists follow Windows' backups; the newest cabinet of
// the system-backup folder is the capture's.
std::string refreshSystemBackups(TForm1& form) {
  if (form.FillList) form.FillList();
  const SystemLocations& loc = form.loc;
  std::string folder = loc.systemBackupDir;
  if (folder.empty()) folder = loc.defaultSystemBackupDir;
  if (folder.empty()) folder = loc.windowsDir + "sysbckup\\";
  return newestSystemBackup(form.env.files, CheckPath(folder));
}

// Has Windows make a fresh system backup. When scanregw cannot be run the
// capture goes on with the newest backup there is.
void makeSystemBackup(TForm1& form) {
  try {
    form.Exec(form.loc.windowsDir + "scanregw.exe /backup", kShowHidden);
  } catch (const Error& error) {
    form.Log("scanregw.exe /backup could not be run: " + std::string(error.what()));
  }
}

void captureRegistryFiles(TForm1& form, int step) {
  const SystemLocations& loc = form.loc;
  const std::string& windows = loc.windowsDir;
  const std::string& setDir = form.backupRun.backupSetDir;
  const int mode = form.TransferMode;
  const std::string target = mode == kTransferZip ? ".daz" : ".dat";
  const bool previous = form.WindowsMode == 1 && form.Form8.config.previousRegistry;
  // Where the spare copies come from: the registry as it is, or on Windows 98
  // the system backup Windows has just made.
  std::string spareSource = windows;

  if (form.WindowsMode == 2) {
    showStatus(form, kBackingUpRegistry);
    if (!form.ConfigRunsAutomatically) makeSystemBackup(form);
    const std::string newest = refreshSystemBackups(form);
    if (!newest.empty()) {
      // Named before unpacking, so that a cabinet failing half-way leaves no
      // folder behind.
      form.UnpackedSystemBackup = firstFreeWorkingFolder(form.env.files, windows);
      form.UnpackedSystemBackup = form.CreateExtractDir(newest, 0);
      spareSource = CheckPath(form.UnpackedSystemBackup);
    }
  }
  showStatus(form, kBackingUpRegistry);
  refreshSystemBackups(form);

  const auto spare = [&form](const std::string& source, const std::string& dest) {
    form.AttrCopy(source, dest, false, kTransferCopyQuiet, 0);
  };
  spare(form.WindowsMode == 1 ? loc.userDir + "user.da0" : spareSource + "user.dat",
        windows + "user.cvk");
  const int currentUser = form.ZipOtherUsers("user.dat", setDir + "user.daz", step, mode, "", "");
  form.AttrCopy(previous ? windows + "user.cvk" : loc.userDir + "user.dat",
                setDir + "user" + std::to_string(currentUser) + target, false, mode, step);

  spare(form.WindowsMode == 1 ? windows + "system.da0" : spareSource + "system.dat",
        windows + "system.cvk");
  form.AttrCopy(previous ? windows + "system.cvk" : windows + "system.dat",
                setDir + "system" + target, false, mode, step);

  if (form.WindowsMode == 3) {
    spare(spareSource + "classes.dat", windows + "classes.cvk");
    form.AttrCopy(windows + "classes.dat", setDir + "classes" + target, false, mode, step);
  }
}

}  // namespace

void TForm1::Backup9xRegistry(int step) {
  try {
    captureRegistryFiles(*this, step);
  } catch (...) {
    RemoveUnpackedSystemBackup();
    throw;
  }
  RemoveUnpackedSystemBackup();
}

void TForm1::RemoveUnpackedSystemBackup() {
  if (UnpackedSystemBackup.empty()) return;
  const std::string folder = UnpackedSystemBackup;
  UnpackedSystemBackup.clear();
  if (env.files.directoryExists(folder)) DeleteDir(folder);
}

}  // namespace corvasta
