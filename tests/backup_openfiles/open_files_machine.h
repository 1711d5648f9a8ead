#pragma once
// The machines of the open-file tests: a sample whose user has a folder of
// files Windows may hold open, with the program's "Enable Open File Backup"
// set, and a look at the job file the program keeps.

#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace openfiles_test {

// The user's files every sample gets: C:\Data\Letter.doc (held open when
// asked), C:\Data\Notes.txt.
inline constexpr const char* kLetter = "C:\\Data\\Letter.doc";
inline constexpr const char* kNotes = "C:\\Data\\Notes.txt";
inline constexpr const char* kLetterText = "Dear Sir, the letter in use.";

// A sample of `version` whose Windows holds `held` open.
inline testing_support::MachineBuilder openFilesMachine(platform::WindowsVersion version,
                                                        const std::vector<std::string>& held = {
                                                            kLetter}) {
  testing_support::MachineBuilder machine = testing_support::MachineBuilder::sample(version);
  machine.file(kLetter, kLetterText).file(kNotes, "Notes beside the letter.").openFileBackup();
  for (const std::string& path : held) machine.heldOpen(path);
  return machine;
}

// The program on such a machine, and the job file it keeps.
struct OpenFilesProgram : testing_support::TestProgram {
  explicit OpenFilesProgram(platform::WindowsVersion version,
                            const std::vector<std::string>& held = {kLetter})
      : testing_support::TestProgram(openFilesMachine(version, held)) {}

  // A value of open-file job `number` ("@" when missing).
  std::string job(int number, const std::string& key) const {
    return profileString(programDir() + "Temp\\OpenFN.ini", "OpenFN" + std::to_string(number), key);
  }
};

}  // namespace openfiles_test
