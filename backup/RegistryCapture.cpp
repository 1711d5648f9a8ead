// The backup run's Registry item: the capture of the running Windows version.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"

namespace corvasta {

void RegistryCapture::BackupRegistry(int step) {
  if (core.isWin9xMode()) {
    Backup9xRegistry(step);
    return;
  }
  if (!core.isNtMode()) throw Error("The registry of this Windows version cannot be backed up.");
  SaveNTRegistry(core.backupRun.backupSetDir + "registry.daz", step, TransferMode == kTransferZip,
                 true);
}

}  // namespace corvasta
