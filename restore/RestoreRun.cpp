// RestoreRun: the restore run, step by step.

#include "restore/RestoreRun.h"

#include "app/core/Core.h"
#include "backup/Backup.h"

namespace corvasta {

void RestoreRun::RunRestore(const std::string& userPath, const std::string& /*systemPath*/) {
  core.FilesBackedUp = 0;
  core.OpenFilesFound = 0;
  core.RegistryFilesFlag = false;
  core.Log(">>> Restore of " + userPath + " started at " + core.Timestamp());
}

}  // namespace corvasta
