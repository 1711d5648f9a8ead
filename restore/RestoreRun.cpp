// RestoreRun: the restore run, step by step, and its error handler.

#include "restore/RestoreRun.h"

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "restore/NtRegistryRestore.h"
#include "restore/Win9xRegistryRestore.h"

namespace corvasta {

namespace {

constexpr const char* kNothingToRestore =
    "Nothing is selected to restore.  Please select something under 2. Select Extent to Restore.";

// The archive engines read in the restore direction while the run lasts.
// An archive without its end is one part of a multi-disk set only on a
// removable source; elsewhere it is damaged, and nobody is asked for a disk.
struct RestoreDirection {
  RestoreDirection(Core& core, bool removable)
      : core(core),
        before(core.backupRun),
        incomplete1(core.Zip1.OnInCompleteZip),
        incomplete2(core.Zip2.OnInCompleteZip) {
    core.backupRun.backingUp = false;
    core.backupRun.cancelled = false;
    core.backupRun.target =
        removable ? archive::TargetKind::RemovableDisk : archive::TargetKind::HardDiskFolder;
    if (removable) return;
    const auto damaged = [](archive::TIncompleteMode& mode) { mode = archive::izAssumeBad; };
    core.Zip1.OnInCompleteZip = damaged;
    core.Zip2.OnInCompleteZip = damaged;
  }
  ~RestoreDirection() {
    core.backupRun = before;
    core.Zip1.OnInCompleteZip = std::move(incomplete1);
    core.Zip2.OnInCompleteZip = std::move(incomplete2);
  }
  Core& core;
  archive::TMultiVolumeRun before;
  archive::TInCompleteZipEvent incomplete1, incomplete2;
};

}  // namespace

bool RestoreRun::selected(ExtentBox box) const {
  static constexpr bool Core::*kChecked[] = {&Core::winCrash, &Core::winUsers, &Core::userFiles,
                                             &Core::otherFiles};
  return core.*kChecked[box] && state.extentEnabled[static_cast<size_t>(box)];
}

bool RestoreRun::registryOnly() const {
  const SourceKind kind = state.sourceKind;
  const bool registryCopy = kind == SourceKind::SpareRegistry ||
                            kind == SourceKind::PlainRegistry ||
                            kind == SourceKind::OriginalRegistry;
  // A program set classified as a plain registry keeps its other categories.
  return registryCopy && !state.setClassified;
}

int RestoreRun::stepDivisor() const {
  if (registryOnly()) return 3;
  int divisor = selected(kWinCrashBox) ? 4 : 1;
  if (selected(kWinUsersBox)) divisor += 9;
  if (selected(kUserFilesBox)) divisor += 6;
  if (selected(kOtherFilesBox)) divisor += 1;
  return divisor;
}

RestoreTransfer RestoreRun::transferModeOf(const std::string& userPath) const {
  switch (state.sourceKind) {
    case SourceKind::SpareRegistry:
    case SourceKind::PlainRegistry:
    case SourceKind::OriginalRegistry:
      return RestoreTransfer::Copy;
    case SourceKind::WindowsBackup:
      return RestoreTransfer::SystemBackupCopy;
    default:
      break;
  }
  const char last = userPath.empty() ? '\0' : platform::ansiLower(userPath.back());
  if (last == 'p' || last == 'z') return RestoreTransfer::Unzip;
  if (last == 't') return RestoreTransfer::Copy;
  return RestoreTransfer::Undetermined;
}

void RestoreRun::RunRestore(const std::string& userPath, const std::string& systemPath) {
  core.FilesBackedUp = 0;
  core.OpenFilesFound = 0;
  core.RegistryFilesFlag = false;
  state.runFailed = false;
  state.userPath = userPath;
  state.systemPath = systemPath;
  state.setClassified = platform::ansiEqualNoCase(pathFileName(systemPath), "system.daz");
  registryRestored_ = false;
  core.Log(">>> Restore of " + userPath + " started at " + core.Timestamp());
  static constexpr const char* kExtentLines[] = {
      "   Registry checked to Restore", "   WinConfig files checked to Restore",
      "   User Profile files checked to Restore", "   Other Files files checked to Restore"};
  for (int box = kWinCrashBox; box <= kOtherFilesBox; ++box)
    if (selected(static_cast<ExtentBox>(box))) core.Log(kExtentLines[box]);

  RestoreDirection direction(core, state.sourceKind == SourceKind::Removable);

  const int divisor = stepDivisor();
  if (divisor == 1) {
    core.env.ui.messageBox(kNothingToRestore, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  state.progressStep = 100 / divisor;

  try {
    core.ErrorList = {"The following file(s) could not be copied:", ""};
    core.ErrorFlag = false;
    state.extractDir.clear();
    state.transferMode = transferModeOf(userPath);
    if (state.sourceKind == SourceKind::WindowsBackup && core.WindowsMode != 6) {
      // Named before unpacking, so that a cabinet failing half-way leaves no
      // folder behind.
      state.extractDir = firstFreeWorkingFolder(core.env.files, core.loc.windowsDir);
      state.extractDir = backup.extractFolder.CreateExtractDir(userPath, state.progressStep);
    }
    if (state.sourceKind == SourceKind::WindowsBackup)
      state.setDir = core.WindowsMode == 6 ? CheckPath(userPath) : CheckPath(state.extractDir);
    else
      state.setDir = pathFolder(systemPath);
    state.userFileName =
        state.sourceKind == SourceKind::WindowsBackup ? "user.dat" : pathFileName(userPath);

    core.ShowProgressForm(true, "Corvasta in Process");
    struct HideAtEnd {
      RestoreRun& run;
      ~HideAtEnd() { run.hideProgress(); }
    } hideAtEnd{*this};

    DosHandOff& handOff = win9x.handOff;
    const bool dosHandOff = core.WindowsMode == 1 || core.WindowsMode == 2;
    if (dosHandOff) {
      const DosHandOff::Method method = handOff.ChooseForRestore();
      if (!handOff.SupportFilesPresent(method)) {
        removeExtractDir();
        return;
      }
      handOff.Begin(method);
    }

    const std::optional<std::string> attrib = backup.openFiles.LocateAttribExe();
    if (!attrib) {
      if (dosHandOff) handOff.Discard();
      removeExtractDir();
      return;
    }

    if (selected(kWinCrashBox) || registryOnly()) {
      if (!restoreRegistry(*attrib)) {
        if (dosHandOff) handOff.Discard();
        removeExtractDir();
        return;
      }
    }
    if (!registryOnly()) restoreWinConfigAndProfile();
    if (selected(kOtherFilesBox) && !restoreOtherFiles()) {
      endCancelled();
      return;
    }
    if (dosHandOff) handOff.Close();
    finishRun();
  } catch (const std::exception& error) {
    failed(error.what());
    throw;
  } catch (...) {
    failed("");
    throw;
  }
}

void RestoreRun::failed(const std::string& reason) {
  state.runFailed = true;
  core.Log("An error occurred during Restore.");
  if (!reason.empty()) core.Log("   " + reason);
  core.env.ui.messageBox("An error has occurred.  Restore may not have been successful.",
                         core.ApplicationTitle, Buttons::Ok, Icon::Error);
  removeExtractDir();
  // The log shows what happened even though the run did not end.
  writeLog();
}

bool RestoreRun::restoreRegistry(const std::string& attrib) {
  if (core.isNtMode()) return restoreNtRegistry();
  if (core.WindowsMode == 3)
    win9x.Save9xRegistry(win9x.userSource(), state.progressStep,
                         state.transferMode == RestoreTransfer::Unzip);
  else
    win9x.RestoreDosRegistry(attrib);
  registryRestored_ = true;
  return true;
}

bool RestoreRun::restoreNtRegistry() {
  const bool restorePoint = state.sourceKind == SourceKind::WindowsBackup;
  const bool repairSet = state.sourceKind == SourceKind::OriginalRegistry ||
                         state.sourceKind == SourceKind::PlainRegistry;
  if (!nt.PreRegistryRestore(repairSet)) return false;
  if (restorePoint)
    nt.RestoreRestorePoint(state.setDir);
  else if (repairSet)
    nt.RestoreRepair(state.setDir);
  else
    nt.RestoreRegistryArchive(state.setDir + "registry.daz", state.progressStep);
  registryRestored_ = true;
  return true;
}

void RestoreRun::removeExtractDir() {
  if (state.extractDir.empty()) return;
  const std::string folder = state.extractDir;
  state.extractDir.clear();
  if (core.env.files.directoryExists(folder)) backup.extractFolder.DeleteDir(folder);
}

void RestoreRun::writeLog() {
  const std::string log = core.ActivityLog;
  try {
    core.WriteResultFile();
  } catch (const platform::OsError&) {
    core.ActivityLog = log;
  }
}

void RestoreRun::hideProgress() {
  core.ShowProgressForm(false, core.ApplicationTitle);
}

}  // namespace corvasta
