// WriteSettings: saves the Preferences dialog's values and the main window's
// settings. Each key reaches the file at once; a write the file system
// refuses stops the save with "Unable to write to" + the file's path.

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/SettingsNames.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

void writeColumnWidths(platform::TIniFile& settings, std::string_view section,
                       const std::array<int, 3>& widths) {
  for (size_t column = 0; column < widths.size(); ++column)
    settings.WriteInteger(section, kColumnWidthKeys[column], widths[column]);
}

}  // namespace

void Core::WriteSettings() {
  const int config = Form8.curConfig;
  if (config < 1 || config > 4) return;
  platform::TIniFile settings(env.machine, settingsFile());
  const BackupConfigRecord& record = Form8.config;

  if (WindowsMode == 1) loc.registryExtension = record.previousRegistry ? ".da0" : ".dat";
  writeConfigIdentity(settings, config, Form8.configNames[config - 1], record);
  settings.WriteInteger(kPreferences, "MaxNum", Form8.maxNum);
  settings.WriteInteger(kPreferences, "Keep", Form8.keep);

  for (size_t list = 0; list < kAutomationSections.size(); ++list)
    settings.WriteInteger(kAutomationSections[list], "Freq", Form8.automationFreq[list]);
  settings.WriteBool(kPreferences, "MarqueeScroll", Form8.marqueeScroll);
  settings.WriteInteger(kRestorePreferences, "RestoreType", restoreType);
  settings.WriteBool(kRestorePreferences, "WinCrash", winCrash);
  settings.WriteBool(kRestorePreferences, "WinUsers", winUsers);
  settings.WriteBool(kRestorePreferences, "UserFiles", userFiles);
  settings.WriteBool(kRestorePreferences, "OtherFiles", otherFiles);
  settings.WriteInteger("RegPack", "Mode", Form8.regPackMode);

  settings.WriteString(kDefaultDirectories, "Root", loc.rootDir);
  settings.WriteString(kDefaultDirectories, "StartUp", loc.startupDir);
  settings.WriteString(kDefaultDirectories, "Temp", loc.tempDir);
  settings.WriteString(kDefaultDirectories, "User", ShortFileName(env.machine, loc.userDir));
  settings.WriteString(kDefaultDirectories, "LongUser", loc.userDir);
  settings.WriteString(kDefaultDirectories, "Backup", loc.systemBackupDir);

  settings.WriteInteger(kPreferences, "CabExtractor", Form8.cabExtractor);
  writeConfigOptions(settings, config, record);

  settings.WriteBool(kBackupName, "UseDate", Form8.useDate);
  settings.WriteBool(kBackupName, "AddConfig", Form8.addConfig);
  settings.WriteString(kBackupName, "DateFormat", Form8.dateFormat);
  settings.WriteInteger("AutoStart", "Pause", Form8.pause);
  settings.WriteBool(kPreferences, "PromptForSubDirs", Form8.promptForSubDirs);
  settings.WriteInteger(kPreferences, "curconfig", config);
  for (int box = 1; box <= 4; ++box)
    settings.WriteBool(kPreferences, "Config" + std::to_string(box), configChecked[box - 1]);

  writeColumnWidths(settings, "Backup Manager", Form8.backupManagerColumns);

  settings.EraseSection("Checks");
  writeConfigChecks(settings, config, record, Form8.otherFilesNames.size());
  for (size_t item = 0; item < record.winFilesChecks.size(); ++item)
    settings.WriteInteger("Checks", std::to_string(item), record.winFilesChecks[item]);

  applyConfigTargets(settings, Form8, configEnabled);

  if (WindowsMode == 2 || WindowsMode == 3) {
    writeColumnWidths(settings, "Win98 List", Form8.win98ListColumns);
    settings.EraseSection("Files");
    WriteScanReg();
  }
  settings.WriteInteger("BootDisk", "XP", Form8.bootDiskXP);
}

}  // namespace corvasta
