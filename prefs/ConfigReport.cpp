// The configuration report of a config: what it is made of and its file.

#include "prefs/ConfigReport.h"

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/TextLines.h"
#include "backup/model/WinFiles.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

ConfigReportInput configReportInput(Core& core, int config) {
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  ConfigReportInput input;
  input.config = config;
  input.name = core.Form8.configNames[static_cast<size_t>(config - 1)];
  const size_t entries = core.Form8.otherFilesNames.size();
  if (config == core.Form8.curConfig) {
    input.record = core.Form8.config;
  } else {
    BackupConfigRecord startup;
    startup.target = core.loc.programDir;
    input.record = readConfigRecord(settings, config, startup, core.WindowsMode,
                                    CheckDefaults::StartupLoad, entries);
  }
  for (const WinFilesItem& item : winFilesItems(core.WindowsMode))
    input.winFilesItems.push_back(item.caption);
  for (size_t entry = 0; entry < entries; ++entry)
    input.otherFiles.push_back(readOtherFilesEntry(settings, static_cast<int>(entry)));
  const std::string drive = input.record.target.substr(0, 3);
  input.enabling = enablingRules(input.record, core.env.files.getDriveType(drive));
  input.password = core.Form8.password;
  return input;
}

std::string configReportPath(const Core& core) {
  return core.loc.programDir + kConfigReportFile;
}

std::string WriteConfigReport(Core& core, int config) {
  const std::string path = configReportPath(core);
  saveLines(core.env.files, path, configReportLines(configReportInput(core, config)));
  return path;
}

}  // namespace corvasta
