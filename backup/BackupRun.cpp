// The backup run: the "&Backup" button and one config's backup from the
// activity-log start line to the closing steps. Naming and registering the
// set, the disk prompts, the items and the closing steps have files of their
// own (BackupRun*.cpp).

#include "app/core/Core.h"
#include "app/core/DeleteFile.h"
#include "app/core/SettingsNames.h"
#include "archive/zip_error.h"
#include "backup/Backup.h"
#include "backup/MultiVolumeHost.h"
#include "backup/TargetKind.h"
#include "backup/model/BackupTypes.h"
#include "backup/model/WinFiles.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool checked(const std::vector<int>& checks, size_t index) {
  return index < checks.size() && checks[index] == 1;
}

uint64_t blockSizeOf(const BackupConfigRecord& config) {
  if (!config.blockCheck || config.compress == 0) return 0;
  try {
    const unsigned long long size = std::stoull(config.blockNumber);
    return size;
  } catch (const std::exception&) {
    return 0;  // no usable size typed: no blocks
  }
}

}  // namespace

void BackupRun::BackupCheckedConfigs() {
  core.FilesBackedUp = 0;
  core.OpenFilesFound = 0;
  core.RegistryFilesFlag = false;
  core.LongFNFlag = false;
  core.BigFFlag = false;
  core.CloseAfterRun = false;
  DeleteFileIfPresent(core.env.files, core.loc.programDir + "longfn.txt");
  DeleteFileIfPresent(core.env.files, core.loc.programDir + "bigfiles.txt");
  bool any = false;
  for (int config = 0; config < 4; ++config) {
    if (!core.configChecked[static_cast<size_t>(config)]) continue;
    any = true;
    BackupConfig(config);
  }
  if (!any) core.env.ui.messageBox(kNoConfigChecked, core.ApplicationTitle, Buttons::Ok);
}

int BackupRun::countBackupItems() const {
  const BackupConfigRecord& config = core.Form8.config;
  int items = 1;
  if (checked(config.winFilesChecks, 0)) {
    ++items;
    if (core.isWin9xMode()) {
      try {
        for (const platform::FindData& entry :
             core.env.files.findAll(core.loc.windowsDir + "Profiles\\*.*"))
          if (entry.name != "." && entry.name != "..") ++items;
      } catch (const platform::OsError&) {
        // No Profiles folder: no further users.
      }
    }
  }
  for (size_t i = 1; i < config.winFilesChecks.size(); ++i)
    if (checked(config.winFilesChecks, i)) ++items;
  for (size_t i = 0; i < config.otherFilesChecks.size(); ++i)
    if (checked(config.otherFilesChecks, i)) ++items;
  return items;
}

bool BackupRun::isLastConfigOfRun(int config) const {
  const auto& later =
      core.requests.backup[static_cast<size_t>(config)] ? core.requests.backup : core.configChecked;
  for (size_t next = static_cast<size_t>(config) + 1; next < later.size(); ++next)
    if (later[next]) return false;
  return true;
}

void BackupRun::BackupConfig(int config) {
  if (config < 0 || config > 3) return;
  BackupRunState run;
  run.config = config;
  run.automatic = core.requests.backup[static_cast<size_t>(config)];
  run.filesAtStart = core.FilesBackedUp;
  core.Log(">>> Back up of Config" + std::to_string(config + 1) + " started at " +
           core.Timestamp());
  {
    platform::TIniFile settings(core.env.machine, core.settingsFile());
    settings.WriteBool(kAutomationSections[static_cast<size_t>(config) + 1], "switch", false);
    run.promptForSubDirs = settings.ReadBool(kPreferences, "PromptForSubDirs", false);
  }
  core.SwitchConfig(config + 1);
  const BackupConfigRecord& settings = core.Form8.config;
  const BackupTypeRules& type = backupTypeRules(settings.backupType);
  for (archive::TZipWriter* zip : {&core.Zip1, &core.Zip2}) {
    zip->ResetArchiveBitOnZip = type.clearArchiveBit;
    zip->SkipIfArchiveBitNotSet = false;
    zip->Cancel = false;
  }

  const int items = countBackupItems();
  if (items == 1) {
    core.env.ui.messageBox(kNothingSelected, core.ApplicationTitle, Buttons::Ok);
    return;
  }
  run.step = 100 / items;
  if (core.SafeMode)
    core.env.ui.messageBox(kSafeModeWarning, core.ApplicationTitle, Buttons::Ok, Icon::Warning);
  core.Zip1.PackLevel = compressionRules(settings.compress).packLevel;
  core.Zip2.PackLevel = core.Zip1.PackLevel;
  core.ErrorList = {kErrorListHeading, ""};
  core.ErrorFlag = false;

  if (settings.target.size() < 3)
    throw Error(core.Form8.configNames[static_cast<size_t>(config)] +
                " has no backup destination.");
  core.backupRun = archive::TMultiVolumeRun{};
  core.backupRun.target = targetKindOf(core.env.files, settings.target, settings.doNotUseCDWrite);
  if (core.backupRun.target == archive::TargetKind::EngineCd ||
      (core.backupRun.target == archive::TargetKind::PacketCd && settings.ejectCD))
    throw Error(kCdNotAvailable);
  core.backupRun.ejectCd = settings.ejectCD;
  core.backupRun.deleteFilesBeforeBackup = settings.deleteFiles;
  core.backupRun.blocksOf = blockSizeOf(settings);
  core.backupRun.replaceType = settings.backupType == kReplaceBackup;
  core.backupRun.tempDir = core.loc.tempDir;
  try {
    core.backupRun.targetFileSystem =
        core.env.files.getVolumeInformation(settings.target.substr(0, 3)).fileSystem;
  } catch (const Error&) {
    // A drive without a medium yet: the disk prompts come later.
  }
  run.transferMode =
      transferModeFor(settings.compress, core.targetIsRemovable(), settings.treatAsHardDrive);
  core.Zip1.MultiVolumeInfo.SaveZipInfoOnFirstDisk =
      core.targetIsRemovable() || (core.backupRun.target == archive::TargetKind::HardDiskFolder &&
                                   core.backupRun.blocksOf != 0);

  if (!prepareSetDirectory(run)) return;
  core.backupRun.backupSetDir = run.setDir;
  core.Log("Destination = " + run.setDir);
  if (run.registered) registerSet(run);

  core.ShowProgressForm(
      true, "Backup in Process (" + core.Form8.configNames[static_cast<size_t>(config)] + ")");
  std::exception_ptr failure;
  try {
    if (prepareDisk(run)) {
      if (settings.minimizeDuringBackup) core.MinimizeClick();
      backupItems(run);
      const platform::SystemTime today = core.now();
      platform::TIniFile lastBackup(core.env.machine, core.settingsFile());
      lastBackup.WriteInteger("Last Backup", "Year", today.year);
      lastBackup.WriteInteger("Last Backup", "Month", today.month);
      lastBackup.WriteInteger("Last Backup", "Day", today.day);
      const std::string section = std::string(kPreferences) + std::to_string(config + 1);
      lastBackup.WriteInteger(section, "LastYear", today.year);
      lastBackup.WriteInteger(section, "LastMonth", today.month);
      lastBackup.WriteInteger(section, "LastDay", today.day);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  closeBackupConfig(run, failure);
}

}  // namespace corvasta
