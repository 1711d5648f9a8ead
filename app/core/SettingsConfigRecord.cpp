#include "app/core/SettingsConfigRecord.h"

#include "backup/model/BackupTypes.h"
#include "backup/model/WinFiles.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

// Only 0 (unchecked), 1 (checked) and 2 (grayed) are check states; anything
// else reads as the default.
int readCheckState(const platform::TIniFile& settings, const std::string& section,
                   const std::string& key, int defaultState) {
  const int state = settings.ReadInteger(section, key, defaultState);
  return state >= 0 && state <= 2 ? state : defaultState;
}

// A list index outside the list reads as the default.
int readIndex(const platform::TIniFile& settings, const std::string& section, const char* key,
              int defaultIndex, int last) {
  const int index = settings.ReadInteger(section, key, defaultIndex);
  return index >= 0 && index <= last ? index : defaultIndex;
}

std::string multiFilesSection(size_t entry) {
  return "MultiFiles" + std::to_string(entry);
}
std::string checksSection(int config) {
  return "Checks" + std::to_string(config);
}
std::string whichRegistrySection(int config) {
  return "WhichRegistry" + std::to_string(config);
}
std::string otherFilesKey(int config) {
  return "Check" + std::to_string(config);
}

}  // namespace

std::string configSection(int config) {
  return "BackupPreferences" + std::to_string(config);
}

std::string readConfigName(const platform::TIniFile& settings, int config) {
  return settings.ReadString(configSection(config), "ConfigName",
                             "Config " + std::to_string(config));
}

std::vector<std::string> readOtherFilesNames(const platform::TIniFile& settings) {
  std::vector<std::string> names;
  for (;;) {
    std::string name = settings.ReadString(multiFilesSection(names.size()), "FileName", "");
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

BackupConfigRecord readConfigRecord(const platform::TIniFile& settings, int config,
                                    const BackupConfigRecord& carried, int windowsMode,
                                    CheckDefaults checkDefaults, size_t otherFilesCount) {
  const std::string section = configSection(config);
  const BackupConfigRecord fixed;  // the fixed defaults
  BackupConfigRecord record;
  record.target = settings.ReadString(section, "Target", carried.target);
  record.compress = readIndex(settings, section, "Compress", carried.compress, 5);
  record.deleteFiles = settings.ReadBool(section, "DeleteFiles", carried.deleteFiles);
  record.treatAsHardDrive =
      settings.ReadBool(section, "TreatAsHardDrive", carried.treatAsHardDrive);
  record.blockCheck = settings.ReadBool(section, "BlockCheck", fixed.blockCheck);
  record.verifyBackup = settings.ReadBool(section, "VerifyBackup", fixed.verifyBackup);
  record.blockNumber = settings.ReadString(section, "BlockNumber", fixed.blockNumber);
  record.closeAfterBackup =
      settings.ReadBool(section, "CloseAfterBackup", carried.closeAfterBackup);
  record.minimizeDuringBackup =
      settings.ReadBool(section, "MinimizeDuringBackup", fixed.minimizeDuringBackup);
  record.onlyCorvastaCDs = settings.ReadBool(section, "OnlyCorvastaCDs", fixed.onlyCorvastaCDs);
  record.doNotUseCDWrite = settings.ReadBool(section, "DoNotUseCDWrite", fixed.doNotUseCDWrite);
  record.copyOpenFiles = settings.ReadBool(section, "CopyOpenFiles", fixed.copyOpenFiles);
  record.alwaysBlankCDs = settings.ReadBool(section, "AlwaysBlankCDs", fixed.alwaysBlankCDs);
  record.ejectCD = settings.ReadBool(section, "EjectCD", fixed.ejectCD);
  record.windowsRestart = readIndex(settings, section, "WindowsRestart", carried.windowsRestart, 1);
  record.backupType =
      backupTypeFromSettings(settings.ReadInteger(section, "BackupType", fixed.backupType),
                             settings.ReadBool(section, "NewBackupType", false));
  if (windowsMode == 1)
    record.previousRegistry =
        settings.ReadBool(whichRegistrySection(config), "Previous", carried.previousRegistry);

  const size_t items = winFilesCount(windowsMode);
  record.winFilesChecks.resize(items);
  for (size_t item = 0; item < items; ++item) {
    const bool checked = checkDefaults == CheckDefaults::StartupLoad
                             ? winFilesStartupChecked(windowsMode, item)
                             : winFilesDefaultChecked(item);
    record.winFilesChecks[item] =
        readCheckState(settings, checksSection(config), std::to_string(item), checked ? 1 : 0);
  }
  record.otherFilesChecks.resize(otherFilesCount);
  for (size_t entry = 0; entry < otherFilesCount; ++entry)
    record.otherFilesChecks[entry] =
        readCheckState(settings, multiFilesSection(entry), otherFilesKey(config), 0);
  return record;
}

void writeConfigIdentity(platform::TIniFile& settings, int config, const std::string& name,
                         const BackupConfigRecord& record) {
  const std::string section = configSection(config);
  settings.WriteString(section, "ConfigName", name);
  settings.WriteInteger(section, "Compress", record.compress);
  settings.WriteString(section, "Target", record.target);
}

void writeConfigOptions(platform::TIniFile& settings, int config,
                        const BackupConfigRecord& record) {
  settings.WriteBool(whichRegistrySection(config), "Previous", record.previousRegistry);
  const std::string section = configSection(config);
  settings.WriteBool(section, "DeleteFiles", record.deleteFiles);
  settings.WriteBool(section, "TreatAsHardDrive", record.treatAsHardDrive);
  settings.WriteBool(section, "BlockCheck", record.blockCheck);
  settings.WriteBool(section, "VerifyBackup", record.verifyBackup);
  settings.WriteString(section, "BlockNumber", record.blockNumber);
  settings.WriteBool(section, "CloseAfterBackup", record.closeAfterBackup);
  settings.WriteBool(section, "MinimizeDuringBackup", record.minimizeDuringBackup);
  settings.WriteBool(section, "OnlyCorvastaCDs", record.onlyCorvastaCDs);
  settings.WriteBool(section, "DoNotUseCDWrite", record.doNotUseCDWrite);
  settings.WriteBool(section, "CopyOpenFiles", record.copyOpenFiles);
  settings.WriteBool(section, "AlwaysBlankCDs", record.alwaysBlankCDs);
  settings.WriteBool(section, "EjectCD", record.ejectCD);
  settings.WriteInteger(section, "WindowsRestart", record.windowsRestart);
  settings.WriteInteger(section, "BackupType", record.backupType);
  settings.WriteBool(section, "NewBackupType", true);
}

void writeConfigChecks(platform::TIniFile& settings, int config, const BackupConfigRecord& record,
                       size_t otherFilesCount) {
  const std::string checks = checksSection(config);
  settings.EraseSection(checks);
  for (size_t item = 0; item < record.winFilesChecks.size(); ++item)
    settings.WriteInteger(checks, std::to_string(item), record.winFilesChecks[item]);
  for (size_t entry = 0; entry < otherFilesCount && entry < record.otherFilesChecks.size(); ++entry)
    settings.WriteInteger(multiFilesSection(entry), otherFilesKey(config),
                          record.otherFilesChecks[entry]);
}

void applyConfigTargets(const platform::TIniFile& settings, PreferenceValues& preferences,
                        std::array<bool, 4>& configEnabled) {
  for (int config = 2; config <= 4; ++config) {
    const bool hasTarget = !settings.ReadString(configSection(config), "Target", "").empty();
    configEnabled[config - 1] = hasTarget;
    preferences.enableConfigAutomation(config, hasTarget);
  }
  preferences.settleAutomationLists();
}

}  // namespace corvasta
