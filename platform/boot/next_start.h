#pragma once
// The next start of Windows on a machine, in Windows' order:
//
// Windows 95 and 98: the MS-DOS phase (batch files handed over for MS-DOS
// mode, then autoexec.bat of drive C), then WININIT (wininit.ini [Rename]).
// Windows ME: WININIT (ME has no MS-DOS phase; its autoexec.bat only sets
// environment variables, which the program does not use).
// Windows NT, 2000 and XP: the pending moves and deletions, then the hive
// replacements.
// Then the logon: the Startup folders' shortcuts.
//
// A start is always a full one, whether or not a restart was asked for; it
// clears the machine's "restart requested" mark. Every step is written to the
// journal (kind "boot") and to the output stream.

#include <filesystem>
#include <ostream>

#include "platform/core/machine.h"

namespace platform::boot {

struct StartOptions {
  // Host path of the `corvasta` executable that runs the Startup shortcuts of
  // our program (through its console front end).
  std::filesystem::path consoleProgram;
};

void startWindows(Machine& machine, std::ostream& out, const StartOptions& options);

}  // namespace platform::boot
