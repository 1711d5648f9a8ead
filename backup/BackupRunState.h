#pragma once
// The state of one config's backup run, from the item count to the closing
// steps, and the texts the run shows.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace corvasta {

struct BackupRunState {
  int config = 0;          // 0..3
  bool automatic = false;  // run by the automation or the command line
  int step = 0;            // the overall bar's share of each item
  int transferMode = 1;
  uint64_t filesAtStart = 0;        // the run's files counter when this config began
  std::string setDir;               // with final backslash
  bool registered = false;          // the target gets an entry in the set register
  int registerIndex = 1;            // W: where the set is entered
  std::optional<int> replaceIndex;  // "Replace" of an already registered target
  bool promptForSubDirs = false;    // "Do Not Prompt for Deleting Subdirectories"
};

inline constexpr const char* kErrorListHeading = "The following file(s) could not be copied:";
inline constexpr const char* kNothingSelected =
    "Nothing is selected to backup.  Please change settings in the Backup Preferences section.";
inline constexpr const char* kNoConfigChecked = "At least one of the Configs must be checked.";
inline constexpr const char* kSafeModeWarning = "It is not recommended to do Backups in Safe Mode.";
inline constexpr const char* kBackupNotSuccessful =
    "WARNING - An Error has Occurred - Backup NOT Successful.";
inline constexpr const char* kRegistryNotBackedUp = "Registry Not Backed Up";
inline constexpr const char* kBackupCanceled = "Backup Canceled";
inline constexpr const char* kInsertDiskCaption = "Insert Disk - Corvasta";
inline constexpr const char* kInsertDiskDeleting =
    "Please insert a disk.  Warning - all data will be deleted from the disk.";
inline constexpr const char* kInsertDisk = "Please insert a disk.";

// What the closing steps report besides the files count.
struct RunFindings {
  uint64_t filesBackedUp = 0;
  uint64_t openFilesFound = 0;
  bool registryFiles = false;
  bool longNames = false;
  bool bigFiles = false;
};

// The lines added to the error list of a config that had errors.
std::vector<std::string> warningSummaryLines(const RunFindings& findings);
// The "Backup Finished" message of a run without errors.
std::string finishedMessage(const RunFindings& findings);

}  // namespace corvasta
