#pragma once
// The registry backups the Windows 98 and ME registry checker keeps: cabinets
// rb000.cab, rb001.cab ... in its backup folder, each holding the Windows
// directory's system.dat, user.dat, on ME classes.dat, and system.ini and
// win.ini, with their dates and attributes.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/simulators/checker_settings.h"

namespace platform {

struct SystemBackup {
  std::string path;  // full Windows path of the cabinet
  int number = 0;    // the NNN of rbNNN.cab
  FileTime written;  // last-write time of the cabinet
};

// scanreg.ini of the Windows directory; the defaults when there is none.
CheckerSettings readCheckerSettings(FileSystem& files);

// The backup folder, without a final backslash: BackupDirectory when it
// names an existing folder, else the Windows directory's SYSBCKUP.
std::string systemBackupFolder(FileSystem& files, const CheckerSettings& settings);

// The cabinets rbNNN.cab of the folder, oldest first (equal times: the lower
// number first).
std::vector<SystemBackup> listSystemBackups(FileSystem& files, const std::string& folder);

// The registry files a backup holds (Windows paths): system.dat, user.dat
// and, on Windows ME, classes.dat of the Windows directory.
std::vector<std::string> backedUpRegistryFiles(const Machine& machine);
// The other files it holds when they exist: system.ini and win.ini.
std::vector<std::string> backedUpConfigFiles(const Machine& machine);

// Makes a new backup and returns its path. The registry files are checked
// first: a file that is missing or damaged stops the backup (corvasta::Error)
// before any older backup is touched, so a good backup is never rotated out
// for a bad one. The new cabinet takes the lowest free number below
// MaxBackupCopies; when the folder already holds that many, it replaces the
// oldest, and backups beyond the number are deleted, oldest first.
std::string makeSystemBackup(FileSystem& files);

// Puts the files of a backup back into the Windows directory, replacing
// the present ones whatever their attributes (the checker does this in
// MS-DOS mode, where nothing holds them open). Throws corvasta::Error and
// changes nothing when the cabinet cannot be read.
void restoreSystemBackup(FileSystem& files, const std::string& cabinet);

}  // namespace platform
