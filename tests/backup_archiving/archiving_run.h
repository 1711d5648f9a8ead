#pragma once
// What the archiving routines run inside in these tests: a backup into the
// set C:\BACKUPS\SET1\ at pack level 2, with C:\CVTEMP\ as the temporary
// directory the settings name.

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace archiving_test {

inline testing_support::MachineBuilder inBackup(testing_support::MachineBuilder machine) {
  return machine.setting("DefaultDirectories", "Temp", "C:\\CVTEMP\\")
      .folder("C:\\CVTEMP")
      .backupSet("C:\\BACKUPS\\SET1\\")
      .packLevel(2);
}

// How often `path` (upper case) occurs in `entries`.
inline size_t countOf(const std::vector<std::string>& entries, const std::string& path) {
  return static_cast<size_t>(std::count(entries.begin(), entries.end(), path));
}

}  // namespace archiving_test
