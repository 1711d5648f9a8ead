#include "backup/InstallBackup.h"

#include "app/Unit1.h"
#include "backup/MultiVolumeHost.h"

namespace corvasta {

void InstallBackup(TForm1& form) {
  form.BackupClick = [&form](int config) { form.BackupConfig(config); };
  form.FillList = [&form] { form.RefreshBackupManager(); };
  form.FinishOpenCopying = [&form] { form.FinishOpenCopyingJobs(); };
  form.multiVolumeHost = std::make_unique<TForm1MultiVolumeHost>(form);
  form.multiVolumeHandlers = std::make_unique<archive::TMultiVolumeHandlers>(
      form.zipFileSystem, *form.multiVolumeHost, form.backupRun);
  form.multiVolumeHandlers->Attach(form.Zip1);
  form.multiVolumeHandlers->Attach(form.Zip2);
  // Cancel stops the archive engine at its next file and every copy loop.
  form.stopArchiveEngine = [&form] {
    form.Zip1.Cancel = true;
    form.Zip2.Cancel = true;
    form.backupRun.cancelled = true;
  };
}

}  // namespace corvasta
