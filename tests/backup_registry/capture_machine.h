#pragma once
// What the registry capture runs on in these tests: a sample of a Windows
// version in the middle of a backup into C:\Backups\Set1\, and the scripted
// Ui with a look at the program while it lets messages run.

#include "tests/support/program_rig.h"
#include "tests/support/watching_ui.h"

namespace regcap_test {

using CaptureProgram = testing_support::ProgramWith<testing_support::WatchingUi>;

// `users` profiles; -1: the version's default.
inline testing_support::MachineBuilder captureMachine(platform::WindowsVersion version,
                                                      int users = -1) {
  return testing_support::MachineBuilder::sample(version, users).backupSet("C:\\Backups\\Set1\\");
}

}  // namespace regcap_test
