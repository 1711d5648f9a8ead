#pragma once
// RegPack on Windows NT 4, 2000 and XP samples with two users: the program
// of the sample's mode, and what a RegPack leaves behind to look at.

#include <string>

#include "tests/restore_nt/nt_restore_machine.h"

namespace regpack_nt_test {

using restore_nt_test::NtProgram;

// The version's sample with two user profiles and the program of its mode.
testing_support::MachineBuilder twoUserSample(platform::WindowsVersion version);
// The bytes of the five machine hive files of System32\config.
uint64_t hiveFilesSize(NtProgram& m);
// The program directory's results.txt ("" when there is none).
std::string results(NtProgram& m);
// Whether the machine's journal records a restart of Windows.
bool restartRequested(NtProgram& m);
// The RegPack button pressed with the question answered `answer`.
void pressRegPack(NtProgram& m, const std::string& answer);
// The Undo RegPack button pressed with the question answered `answer`.
void pressUndoRegPack(NtProgram& m, const std::string& answer);

}  // namespace regpack_nt_test
