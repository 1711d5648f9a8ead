#pragma once
// Ordinary registry content shared by the sample registries of every
// Windows version: file classes and COM classes, installed programs, fonts,
// and a user's Control Panel, sound and Explorer settings. It gives the
// registries the size and variety of a machine in use (strings, expandable
// strings, multi-strings, DWORDs, binaries), so that saving, packing and
// comparing them is meaningful.
//
// Content that depends on time takes the moment the registry shows: a
// program appears from the day it was installed on, so the copies Windows and
// Setup keep of older registries differ from the present one as they would.

#include <string>

#include "platform/registry/registry_tree.h"
#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_registry_values.h"

namespace platform::sample {

// A program installed on the sample machine after Windows.
struct SampleProgram {
  const char* key;          // Uninstall and vendor key name
  const char* displayName;  // as Add/Remove Programs shows it
  const char* executable;
  int installedAfterDays;  // days after Windows' own installation
};

// The programs, in the order they were installed.
const std::vector<SampleProgram>& samplePrograms();

// The file types and COM classes (HKEY_CLASSES_ROOT) below `classes`.
void addClasses(registry::RegistryKey& classes, const SampleValues& values,
                const SampleLayout& layout);

// Uninstall entries, App Paths and vendor keys of the programs installed by
// `when`, below `software` (HKLM\Software).
void addInstalledPrograms(registry::RegistryKey& software, const SampleValues& values,
                          const SampleLayout& layout, SampleTime when);

// The font list (value per font, file name as data) below `fonts`.
void addFontList(registry::RegistryKey& fonts, const SampleValues& values);

// The settings of a user hive below `userRoot`: Control Panel, AppEvents,
// keyboard layout, and Software with Explorer's lists of recent documents
// and commands of `user` as of `when` (none for an empty user: the default
// settings new users get).
void addUserSettings(registry::RegistryKey& userRoot, const SampleValues& values,
                     const SampleLayout& layout, const std::string& user, SampleTime when);

// The full path of a file in the System directory as a registry value
// shows it: "%SystemRoot%\System32\x.dll" on NT, "C:\WINDOWS\SYSTEM\x.dll"
// on Windows 9x.
std::string systemFilePath(const SampleLayout& layout, const std::string& file);

}  // namespace platform::sample
