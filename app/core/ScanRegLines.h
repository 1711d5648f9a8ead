#pragma once
// The lines of Windows' "scanreg.ini" as the program reads and updates them.
// Only lines that start with the exact key texts are looked at; every other
// line is kept as it is.

#include <string>
#include <vector>

namespace corvasta {

struct ScanRegValues {
  std::string maxBackupCopies;  // the text after "MaxBackupCopies=" (at most 6 characters)
  std::string backupDirectory;  // after "BackupDirectory=", with a final backslash
  // "MaxBackupCopies=" texts that are not integers, in file order.
  std::vector<std::string> invalidNumbers;
};

ScanRegValues readScanRegLines(const std::vector<std::string>& lines);

struct ScanRegUpdate {
  std::string systemBackupDir;      // with a final backslash
  std::string maxBackupCopies;      // the dialog's number; empty: Windows' default 5
  std::vector<int> winFilesChecks;  // the current config's WinFiles checks
  std::string rootDir;              // with a final backslash
};

// Backup on, the directory and number of copies as the program sets them,
// missing keys added, and one "Files=" line per checked WinConfig item 1..9
// in place of the old ones.
std::vector<std::string> updateScanRegLines(std::vector<std::string> lines,
                                            const ScanRegUpdate& update);

}  // namespace corvasta
