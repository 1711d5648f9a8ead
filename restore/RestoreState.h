#pragma once
// What one restore works with, shared by the parts of the restore subsystem:
// the kind of source the Restore button chose, the transfer mode the run
// works out, the set directory it reads from, and which extent boxes of the
// Crash Fixer page are enabled for the selected source.

#include <array>
#include <string>

namespace corvasta {

// Where the registry and files come from. The Restore button sets it from the
// selected item; classifying a program backup set may turn ProgramBackup and
// Removable into PlainRegistry or OriginalRegistry.
enum class SourceKind {
  ProgramBackup,
  WindowsBackup,
  Removable,
  SpareRegistry,
  PlainRegistry,
  OriginalRegistry
};

// How the run's files reach their places.
enum class RestoreTransfer {
  Undetermined,
  Copy,              // plain copies (an uncompressed set, the spare and plain registries)
  Unzip,             // one-entry archives and folder archives of a compressed set
  SystemBackupCopy,  // copies out of an unpacked Windows system backup
};

// The four extent boxes of the Crash Fixer page, in their order.
enum ExtentBox : int { kWinCrashBox = 0, kWinUsersBox, kUserFilesBox, kOtherFilesBox };

struct RestoreState {
  SourceKind sourceKind = SourceKind::ProgramBackup;
  RestoreTransfer transferMode = RestoreTransfer::Undetermined;
  // The directory the run reads from, with its final backslash.
  std::string setDir;
  // "user.dat" for a Windows backup, else the file part of the user-registry path.
  std::string userFileName;
  // The cabinet's extract folder of a Windows 98/ME backup while it exists.
  std::string extractDir;
  // The overall bar's advance per item (100 div the step divisor).
  int progressStep = 0;
  // Which extent boxes the selected source enables (their checked states are
  // the core's winCrash, winUsers, userFiles, otherFiles).
  std::array<bool, 4> extentEnabled{true, false, false, false};
  // The two registry paths of the run.
  std::string userPath, systemPath;
  // The run's source is a program backup set that its classification made a
  // PlainRegistry or OriginalRegistry source (the system path names the set's
  // system.daz), not one of Windows' own registry copies.
  bool setClassified = false;
  // Set when the last run ended in its error handler ("An error has
  // occurred.  Restore may not have been successful.").
  bool runFailed = false;
};

}  // namespace corvasta
