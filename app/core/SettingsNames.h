#pragma once
// Section names of the settings file shared by its readers and writers.

#include <array>
#include <string_view>

namespace corvasta {

inline constexpr std::string_view kPreferences = "BackupPreferences";
inline constexpr std::string_view kRestorePreferences = "RestorePreferences";
inline constexpr std::string_view kBackupName = "BackupName";
inline constexpr std::string_view kDefaultDirectories = "DefaultDirectories";
// The automation sections in the order of the automation lists.
inline constexpr std::array<std::string_view, 5> kAutomationSections{
    "AutoStart", "AutoBackup", "AutoBackup2", "AutoBackup3", "AutoBackup4"};
inline constexpr std::array<std::string_view, 3> kColumnWidthKeys{"Column1Width", "Column2Width",
                                                                  "Column3Width"};

}  // namespace corvasta
