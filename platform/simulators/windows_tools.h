#pragma once
// The Windows tools the machine simulates, registered under the names
// machine.ini [Programs] gives them ("simulator regedit"):
//   regedit  the Registry Editor: "/e file [key]" exports, "file" imports,
//            "/c file" rebuilds the registry from a file; "/L:system.dat" and
//            "/R:user.dat" name the registry files to work on (MS-DOS mode);
//   command  COMMAND.COM: "/c command line" runs it with the MS-DOS
//            interpreter of the boot module;
//   cmd      CMD.EXE: the same for "/c";
//   scanreg, scanregw  the registry checker (registry_checker.h);
//   extract  the EXTRACT command (cabinet_extractor.h);
//   expand   the NT EXPAND command (file_expander.h);
//   format, sys  FORMAT and SYS (disk_format.h).
// Every program that starts Windows tools calls this once at its start.

namespace platform {

void registerWindowsToolSimulators();

}  // namespace platform
