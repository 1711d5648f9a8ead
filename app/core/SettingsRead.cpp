// ReadSettings: loads the Preferences dialog's values and the main window's
// settings from the settings file; missing keys read as their defaults.

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/SettingsNames.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

void Core::ReadSettings() {
  const platform::TIniFile settings(env.machine, settingsFile());

  Form8.maxNum = std::clamp(settings.ReadInteger(kPreferences, "MaxNum", 10), 0, 10000);
  Form8.keep = settings.ReadInteger(kPreferences, "Keep", 1);
  const int stored = settings.ReadInteger(kPreferences, "curconfig", 1);
  Form8.curConfig = stored >= 1 && stored <= 4 ? stored : 1;

  BackupConfigRecord startup;
  startup.target = loc.programDir;
  Form8.otherFilesNames = readOtherFilesNames(settings);
  Form8.config = readConfigRecord(settings, Form8.curConfig, startup, WindowsMode,
                                  CheckDefaults::StartupLoad, Form8.otherFilesNames.size());
  Form8.setBlockCheck(Form8.config.blockCheck);
  if (WindowsMode == 1) loc.registryExtension = Form8.config.previousRegistry ? ".da0" : ".dat";

  for (size_t list = 0; list < kAutomationSections.size(); ++list)
    Form8.automationFreq[list] = settings.ReadInteger(kAutomationSections[list], "Freq", 5);
  Form8.marqueeScroll = settings.ReadBool(kPreferences, "MarqueeScroll", true);
  marqueeRunning = Form8.marqueeScroll;
  applyConfigTargets(settings, Form8, configEnabled);

  Form8.regPackMode = settings.ReadInteger("RegPack", "Mode", 0) == 1 ? 1 : 0;
  Form8.cabExtractor = settings.ReadInteger(kPreferences, "CabExtractor", 0) == 1 ? 1 : 0;
  Form8.addConfig = settings.ReadBool(kBackupName, "AddConfig", false);
  Form8.setUseDate(settings.ReadBool(kBackupName, "UseDate", true));
  Form8.dateFormat = settings.ReadString(kBackupName, "DateFormat", "");
  Form8.pause = PreferenceValues::pauseShown(
      std::clamp(settings.ReadInteger("AutoStart", "Pause", 0), 0, 999));
  Form8.promptForSubDirs = settings.ReadBool(kPreferences, "PromptForSubDirs", false);
  Form8.bootDiskXP = settings.ReadInteger("BootDisk", "XP", 0);

  RedoShortDate();
}

}  // namespace corvasta
