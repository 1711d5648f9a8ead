#pragma once
// Reading and writing one backup config's keys in the settings file: its
// `BackupPreferences`n keys, `WhichRegistry`n, the WinFiles checks in
// `Checks`n and the Other Files checks in `MultiFiles`i/`Check`n. Shared by
// the settings load and save and by the config switch, which differ only in
// the defaults of missing keys.

#include <array>
#include <string>
#include <vector>

#include "prefs/model/PreferenceValues.h"

namespace platform {
class TIniFile;
}

namespace corvasta {

std::string configSection(int config);  // "BackupPreferences" + n

// `ConfigName` of config n, "Config " + n when missing.
std::string readConfigName(const platform::TIniFile& settings, int config);

// Which defaults missing WinFiles checks take.
enum class CheckDefaults { StartupLoad, ConfigSwitch };

// The names of the Other Files entries, up to the first missing or empty `FileName`.
std::vector<std::string> readOtherFilesNames(const platform::TIniFile& settings);

// Config n's record. Target, compression, delete first, treat as fixed, close
// after backup, Windows restart and which registry default to `carried`'s
// values; every other setting to its fixed default.
BackupConfigRecord readConfigRecord(const platform::TIniFile& settings, int config,
                                    const BackupConfigRecord& carried, int windowsMode,
                                    CheckDefaults checkDefaults, size_t otherFilesCount);

// `ConfigName`, `Compress` and `Target` of config n.
void writeConfigIdentity(platform::TIniFile& settings, int config, const std::string& name,
                         const BackupConfigRecord& record);
// `WhichRegistry`n/`Previous` and the remaining `BackupPreferences`n keys,
// with `NewBackupType` = 1.
void writeConfigOptions(platform::TIniFile& settings, int config, const BackupConfigRecord& record);
// Erases `Checks`n and writes a check per WinFiles item, then the config's
// check of every Other Files entry.
void writeConfigChecks(platform::TIniFile& settings, int config, const BackupConfigRecord& record,
                       size_t otherFilesCount);

// Configs 2..4 are enabled on the main window and in the automation lists
// only while their stored `Target` is not empty; an automation list then
// disabled or without a selection shows "Do Not Perform".
void applyConfigTargets(const platform::TIniFile& settings, PreferenceValues& preferences,
                        std::array<bool, 4>& configEnabled);

}  // namespace corvasta
