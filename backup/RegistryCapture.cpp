// The backup run's Registry item: the capture of the running Windows version.

#include "app/Unit1.h"
#include "backup/BackupTypes.h"

namespace corvasta {

void TForm1::BackupRegistry(int step) {
  if (isWin9xMode()) {
    Backup9xRegistry(step);
    return;
  }
  if (!isNtMode()) throw Error("The registry of this Windows version cannot be backed up.");
  SaveNTRegistry(backupRun.backupSetDir + "registry.daz", step, TransferMode == kTransferZip, true);
}

}  // namespace corvasta
