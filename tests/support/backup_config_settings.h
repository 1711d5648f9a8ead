#pragma once
// A backup config written into the settings file, as the Preferences dialog
// leaves it, for tests that run a backup the way the program reads it.

#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace testing_support {

// The WinConfig items of the Windows 95/98/ME list a sample has on disk:
// autoexec.bat, config.sys, msdos.sys, command.com, io.sys, system.cb.
inline const std::vector<size_t> kSample9xWinConfig{1, 2, 3, 4, 5, 6};
// The NT list: autoexec.nt, config.nt, cmd.exe, ntldr, ntdetect.com, boot.ini.
inline const std::vector<size_t> kSampleNtWinConfig{1, 2, 3, 5, 6, 7};

// Config n's target, compression, backup type and WinFiles items (nothing
// else selected).
void writeConfig(ProgramRig& program, int n, const std::string& target, int compress,
                 int backupType, const std::vector<size_t>& items);

}  // namespace testing_support
