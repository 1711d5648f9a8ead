#pragma once
// Logon: Windows opens the shortcuts of the Startup folders, the current
// user's (Shell Folders "Startup" of HKEY_CURRENT_USER) and the one of all
// users (Shell Folders "Common Startup" of HKEY_LOCAL_MACHINE), in name order.
// A shortcut that starts our program runs it through the console front end
// (a host process), so its start-up switches ("openfile", "clean ...",
// "bootup") do their work; any other shortcut is recorded as started.

#include <filesystem>
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

// Opens every shortcut of the Startup folders. `consoleProgram` is the host
// path of the `corvasta` executable; empty or missing, a shortcut of our
// program is reported as not run.
void runStartupShortcuts(FileSystem& files, BootLog& log,
                         const std::filesystem::path& consoleProgram);

}  // namespace platform::boot
