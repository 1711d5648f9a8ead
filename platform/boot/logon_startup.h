#pragma once
// Logon: Windows opens the shortcuts of the Startup folders, the current
// user's (Shell Folders "Startup" of HKEY_CURRENT_USER) and the one of all
// users (Shell Folders "Common Startup" of HKEY_LOCAL_MACHINE), in name order.
// A shortcut that starts our program runs it through the console front end
// (a host process), so its start-up switches ("openfile", "clean ...",
// "bootup") do their work; any other shortcut is recorded as started.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/boot/boot_log.h"
#include "platform/files/file_system.h"

namespace platform::boot {

// The Startup folders of the machine, the user's first; folders that do not
// exist are left out.
std::vector<std::string> startupFolders(FileSystem& files);

// True for a shortcut target that is our program: an .exe of the program
// directory whose name begins with "crvast", as the program is installed.
bool isProgramTarget(const Machine& machine, const std::string& target);

// The edition a program target starts: "crvast" + short mode name + ".exe"
// ("crvast98.exe" gives "98", "crvastNT.exe" "nt4", "crvast2k.exe" "2000"),
// as the console front end's --edition names it; empty for any other name.
std::string programEdition(const std::string& target);

// What opening one shortcut did: whether it started our program and, when
// that ran, its exit code.
struct OpenedShortcut {
  bool program = false;
  std::optional<uint32_t> exitCode;
};

// Opens the shortcut file `linkPath` as a double-click does: a target that
// is our program (also written in double quotes, or in its 8.3 form) runs
// through the console front end with the shortcut's arguments; any other
// target is recorded as started. Throws corvasta::Error when the file is
// not a readable shortcut.
OpenedShortcut openShortcut(FileSystem& files, BootLog& log,
                            const std::filesystem::path& consoleProgram,
                            const std::string& linkPath);

// Opens every shortcut of the Startup folders. `consoleProgram` is the host
// path of the `corvasta` executable; empty or missing, a shortcut of our
// program is reported as not run.
void runStartupShortcuts(FileSystem& files, BootLog& log,
                         const std::filesystem::path& consoleProgram);

}  // namespace platform::boot
