// The backup run: the "&Backup" button and one config's backup from the
// activity-log start line to the closing steps. Naming and registering the
// set, the disk prompts, the items and the closing steps have files of their
// own (BackupRun*.cpp).

#include "app/DeleteFile.h"
#include "app/SettingsNames.h"
#include "app/Unit1.h"
#include "archive/zip_error.h"
#include "backup/BackupTypes.h"
#include "backup/MultiVolumeHost.h"
#include "backup/TargetKind.h"
#include "backup/WinFiles.h"
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

void TForm1::BitBtn1Click() {
  FilesBackedUp = 0;
  OpenFilesFound = 0;
  RegistryFilesFlag = false;
  LongFNFlag = false;
  BigFFlag = false;
  CloseAfterRun = false;
  DeleteFileIfPresent(env.files, loc.programDir + "longfn.txt");
  DeleteFileIfPresent(env.files, loc.programDir + "bigfiles.txt");
  bool any = false;
  for (int config = 0; config < 4; ++config) {
    if (!configChecked[static_cast<size_t>(config)]) continue;
    any = true;
    BackupClick(config);
  }
  if (!any) env.ui.messageBox(kNoConfigChecked, ApplicationTitle, Buttons::Ok);
  if (CloseAfterRun && FormCloseQuery()) FormClose();
}

int TForm1::countBackupItems() const {
  const BackupConfigRecord& config = Form8.config;
  int items = 1;
  if (checked(config.winFilesChecks, 0)) {
    ++items;
    if (isWin9xMode()) {
      try {
        for (const platform::FindData& entry : env.files.findAll(loc.windowsDir + "Profiles\\*.*"))
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

bool TForm1::isLastConfigOfRun(int config) const {
  const auto& later =
      requests.backup[static_cast<size_t>(config)] ? requests.backup : configChecked;
  for (size_t next = static_cast<size_t>(config) + 1; next < later.size(); ++next)
    if (later[next]) return false;
  return true;
}

void TForm1::BackupConfig(int config) {
  if (config < 0 || config > 3) return;
  BackupRunState run;
  run.config = config;
  run.automatic = requests.backup[static_cast<size_t>(config)];
  run.filesAtStart = FilesBackedUp;
  Log(">>> Back up of Config" + std::to_string(config + 1) + " started at " + Timestamp());
  {
    platform::TIniFile settings(env.machine, settingsFile());
    settings.WriteBool(kAutomationSections[static_cast<size_t>(config) + 1], "switch", false);
    run.promptForSubDirs = settings.ReadBool(kPreferences, "PromptForSubDirs", false);
  }
  SwitchConfig(config + 1);
  const BackupConfigRecord& settings = Form8.config;
  const BackupTypeRules& type = backupTypeRules(settings.backupType);
  for (archive::TZipWriter* zip : {&Zip1, &Zip2}) {
    zip->ResetArchiveBitOnZip = type.clearArchiveBit;
    zip->SkipIfArchiveBitNotSet = false;
    zip->Cancel = false;
  }

  const int items = countBackupItems();
  if (items == 1) {
    env.ui.messageBox(kNothingSelected, ApplicationTitle, Buttons::Ok);
    return;
  }
  run.step = 100 / items;
  if (SafeMode) env.ui.messageBox(kSafeModeWarning, ApplicationTitle, Buttons::Ok, Icon::Warning);
  Zip1.PackLevel = compressionRules(settings.compress).packLevel;
  Zip2.PackLevel = Zip1.PackLevel;
  ErrorList = {kErrorListHeading, ""};
  ErrorFlag = false;

  if (settings.target.size() < 3)
    throw Error(Form8.configNames[static_cast<size_t>(config)] + " has no backup destination.");
  backupRun = archive::TMultiVolumeRun{};
  backupRun.target = targetKindOf(env.files, settings.target, settings.doNotUseCDWrite);
  if (backupRun.target == archive::TargetKind::EngineCd ||
      (backupRun.target == archive::TargetKind::PacketCd && settings.ejectCD))
    throw Error(kCdNotAvailable);
  backupRun.ejectCd = settings.ejectCD;
  backupRun.deleteFilesBeforeBackup = settings.deleteFiles;
  backupRun.blocksOf = blockSizeOf(settings);
  backupRun.replaceType = settings.backupType == kReplaceBackup;
  backupRun.tempDir = loc.tempDir;
  try {
    backupRun.targetFileSystem =
        env.files.getVolumeInformation(settings.target.substr(0, 3)).fileSystem;
  } catch (const Error&) {
    // A drive without a medium yet: the disk prompts come later.
  }
  run.transferMode =
      transferModeFor(settings.compress, targetIsRemovable(), settings.treatAsHardDrive);
  Zip1.MultiVolumeInfo.SaveZipInfoOnFirstDisk =
      targetIsRemovable() ||
      (backupRun.target == archive::TargetKind::HardDiskFolder && backupRun.blocksOf != 0);

  if (!prepareSetDirectory(run)) return;
  backupRun.backupSetDir = run.setDir;
  Log("Destination = " + run.setDir);
  if (run.registered) registerSet(run);

  ShowProgressForm(true,
                   "Backup in Process (" + Form8.configNames[static_cast<size_t>(config)] + ")");
  std::exception_ptr failure;
  try {
    if (prepareDisk(run)) {
      if (settings.minimizeDuringBackup) MinimizeClick();
      backupItems(run);
      const platform::SystemTime today = now();
      platform::TIniFile lastBackup(env.machine, settingsFile());
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
