#pragma once
// The configuration report "ConfigInfo.txt": every setting of one backup
// config as text lines, written into the program directory with CR LF line
// ends and shown in Notepad. It names the password in plain text, so the
// program deletes the file again when it closes.

#include <string>
#include <vector>

#include "backup/OtherFilesEntry.h"
#include "prefs/ControlEnabling.h"
#include "prefs/model/PreferenceValues.h"

namespace corvasta {

class Core;

inline constexpr const char* kConfigReportFile = "ConfigInfo.txt";

struct ConfigReportInput {
  int config = 1;
  std::string name;
  BackupConfigRecord record;
  std::vector<std::string> winFilesItems;   // captions, parallel to record.winFilesChecks
  std::vector<OtherFilesEntry> otherFiles;  // parallel to record.otherFilesChecks
  ControlEnabling enabling;
  std::string password;
};

std::vector<std::string> configReportLines(const ConfigReportInput& input);

// The report of `config` (1..4) as the program holds it: the current config
// from the dialog's values, any other from the settings file.
ConfigReportInput configReportInput(Core& core, int config);

// Where the report is written: "ConfigInfo.txt" in the program directory.
std::string configReportPath(const Core& core);

// Writes the report of `config` as "ConfigInfo.txt" in the program directory,
// replacing it; returns the file's path.
std::string WriteConfigReport(Core& core, int config);

}  // namespace corvasta
