// RestoreSources: the Restore button's dispatch.

#include "restore/RestoreSources.h"

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "restore/RestoreRun.h"

namespace corvasta {

void RestoreSources::RestoreClick() {
  backup.manager.RefreshBackupManager();
  state.sourceKind = SourceKind::ProgramBackup;
}

}  // namespace corvasta
