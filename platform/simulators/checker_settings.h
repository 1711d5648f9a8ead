#pragma once
// The settings of the Windows registry checker in scanreg.ini (Windows
// directory): how many registry backups it keeps and where. Lines are
// "Name=value"; a line starting with ";" is a comment; names are matched
// without regard to case and a name given twice counts the last time.

#include <string>
#include <string_view>

namespace platform {

struct CheckerSettings {
  // MaxBackupCopies: 5 when missing or not a number; at least 1, at most 99,
  // the range the checker accepts.
  int maxBackupCopies = 5;
  // BackupDirectory as written (empty: the Windows directory's SYSBCKUP).
  std::string backupDirectory;
};

CheckerSettings parseCheckerSettings(std::string_view text);

}  // namespace platform
