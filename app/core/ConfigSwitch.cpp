// SwitchConfig: makes another backup config current. The leaving config is
// saved, the arriving one loaded; keys the arriving config does not have yet
// take the leaving config's target, compression and behaviour settings. The
// password belongs to no config and stays as it is.

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/SettingsNames.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

void Core::SwitchConfig(int config) {
  if (config < 1 || config > 4) config = 1;
  platform::TIniFile settings(env.machine, settingsFile());
  const int leaving = Form8.curConfig;
  const BackupConfigRecord carried = Form8.config;

  if (leaving >= 1 && leaving <= 4) {
    settings.WriteInteger(kPreferences, "MaxNum", Form8.maxNum);
    settings.WriteInteger(kPreferences, "Keep", Form8.keep);
    settings.WriteInteger(kPreferences, "CabExtractor", Form8.cabExtractor);
    writeConfigIdentity(settings, leaving, Form8.configNames[leaving - 1], carried);
    writeConfigOptions(settings, leaving, carried);
    writeConfigChecks(settings, leaving, carried, Form8.otherFilesNames.size());
  }

  Form8.curConfig = config;
  settings.WriteInteger(kPreferences, "curconfig", config);

  Form8.otherFilesNames = readOtherFilesNames(settings);
  Form8.config = readConfigRecord(settings, config, carried, WindowsMode,
                                  CheckDefaults::ConfigSwitch, Form8.otherFilesNames.size());
  Form8.updateBlockControls();
  if (WindowsMode == 1) loc.registryExtension = Form8.config.previousRegistry ? ".da0" : ".dat";
}

}  // namespace corvasta
