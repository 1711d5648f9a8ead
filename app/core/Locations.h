#pragma once
// The system locations the program works with (program, Windows, System,
// Startup, Root, Temp, user profile and system-backup directories, the boot
// drive) and the path helpers every part of the program uses. Directory
// strings end with a backslash unless noted.

#include <string>
#include <string_view>

namespace platform {
class Machine;
}

namespace corvasta {

struct SystemLocations {
  std::string programDir;              // directory of the executable
  std::string windowsDir;              // upper case
  std::string systemDir;               // upper case
  std::string windowsDrive;            // "C:" (no backslash)
  std::string startupFolder;           // from the registry (Shell Folders\Startup)
  std::string startupDir;              // DefaultDirectories/StartUp, default startupFolder
  std::string bootDriveRoot = "C:\\";  // first fixed drive holding the boot marker file
  std::string rootDir;                 // DefaultDirectories/Root, default bootDriveRoot
  std::string winbootdir;
  std::string commandInterpreter;      // a file path
  std::string defaultTempDir;          // TEMP as it is, or rootDir + "Temp\"
  std::string tempDir;                 // DefaultDirectories/Temp, default defaultTempDir
  std::string userDir;                 // user profile directory
  std::string ntProfileDir;            // NT modes
  std::string defaultSystemBackupDir;  // Sysbckup (9x) or the restore-point directory (XP)
  std::string systemBackupDir;
  std::string desktopFolder;
  std::string maxBackupCopies;                 // "Maximum Number of Win98 Backups" from scanreg.ini
  std::string registryExtension = ".dat";      // mode 1: ".da0" while "Previous" is chosen
  std::string shortDateFormat = "MM/dd/yyyy";  // the program's short date format
  std::string helpFile;
};

// The boot marker file of the boot drive root: "system.1st" in the Windows
// 9x modes, "ntldr" in the NT modes.
std::string bootMarkerFile(bool win9x);

// Appends one backslash when the last character is not one; "" gives "\".
std::string CheckPath(const std::string& path);
// Removes one final backslash.
std::string RemoveBackSl(const std::string& path);
// The 8.3 name Windows gives a new file or folder named `name` (one path
// component): "My File.txt" becomes "MyFile~1.txt", "a.b.c" "ab~1.c".
std::string GeneratedShortName(std::string_view name);
// The 8.3 form of a path, which need not exist: Windows' short form when the
// path exists, else generated component by component. Never fails.
std::string ShortFileName(const platform::Machine& machine, const std::string& path);

}  // namespace corvasta
