#pragma once
// A restore scenario on a sample machine: config 1 backed up by the program
// (the registry, the sample's WinConfig files, the Desktop folder and an
// Other Files entry), the machine damaged, and the set restored through the
// restore run as the Restore button starts it.

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace restore_test {

// A file as a restore must bring it back: its bytes, its attributes apart
// from the archive bit (which a restored file gets), its last-write time to
// the two seconds an archive entry keeps.
struct FileState {
  std::string bytes;
  uint32_t attributes = 0;
  uint64_t lastWrite = 0;
  bool operator==(const FileState&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FileState& state);

// The files the scenarios back up, damage and look at again.
std::vector<std::string> watchedFiles(const testing_support::ProgramRig& m);

// Config 1 with the registry, WinConfig, Desktop and the Docs entry; the
// backup is run with the Backup button and the set's path returned.
std::string backUpConfig1(testing_support::TestProgram& m, int compress,
                          const std::string& password = "");

std::map<std::string, FileState> snapshot(testing_support::ProgramRig& m,
                                          const std::vector<std::string>& files);

// Registry files replaced, win.ini and a profile file deleted, autoexec.bat
// and an Other Files file changed.
void damage(testing_support::ProgramRig& m);

// The Restore button's part: the source kind, every extent box checked and
// enabled, then the run with the two paths.
void restoreAll(testing_support::TestProgram& m, const std::string& userPath,
                const std::string& systemPath);

// The registry files the set holds, unpacked when compressed.
std::string setRegistryFile(testing_support::ProgramRig& m, const std::string& set,
                            const std::string& name);

// The built console program, or empty when it is not built.
std::string consoleProgram();

}  // namespace restore_test
