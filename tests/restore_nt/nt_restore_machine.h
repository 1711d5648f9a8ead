#pragma once
// What the NT registry restore runs on in these tests: a sample of Windows
// NT 4, 2000 or XP with the program of its mode, a look at every hive file
// the running system loads, and the registry damage the restore must undo.

#include <map>
#include <string>
#include <vector>

#include "platform/core/windows_version.h"
#include "tests/support/program_rig.h"
#include "tests/support/registry_export_listing.h"
#include "tests/support/watching_ui.h"

namespace restore_nt_test {

using NtProgram = testing_support::ProgramWith<testing_support::WatchingUi>;

int modeOf(platform::WindowsVersion version);
// The version's sample with the program of its mode and the machine's
// Windows tools (cmd, expand) available.
testing_support::MachineBuilder ntSample(platform::WindowsVersion version);

// The long paths of every hive loaded from a file.
std::vector<std::string> loadedHiveFiles(NtProgram& m);
// The loaded hive whose file is named `fileName` (without case); "" when none.
std::string loadedHive(NtProgram& m, const std::string& fileName);
// Every loaded hive's keys and values, by hive file.
std::map<std::string, testing_support::RegistryListing> registryListing(NtProgram& m);
testing_support::RegistryListing hiveListing(NtProgram& m, const std::string& winPath);

// A changed value and a new key in SOFTWARE and in the user's hive, written
// to the hive files.
void damageRegistry(NtProgram& m);
// True when the damage is visible through the running registry.
bool registryDamaged(NtProgram& m);

// Config 1 backs up the registry only, compressed (`compress` 1) or as
// plain copies (0); the scheduled run makes the set, encrypted with
// `password` when one is given. Returns the set folder.
std::string backUpRegistry(NtProgram& m, int compress = 1, const std::string& password = "");

}  // namespace restore_nt_test
