// The Control Panel item: the Control Panel's applets, its settings file and
// the program that shows it, in one archive (or copied at pack level 0).

#include "app/core/Core.h"
#include "backup/ArchiveFailure.h"
#include "backup/Backup.h"

namespace corvasta {

namespace {

constexpr const char* kControlPanelArchive = "ctrlpanl.zip";

}  // namespace

std::vector<std::string> ItemArchiving::controlPanelFiles() const {
  // "|": the files of these folders only. The archive engine would honour
  // Recurse alone, but copy mode takes an entry without a mark with its
  // subfolders and would walk the whole Windows directory for control.ini.
  const std::string programFolder = core.isNtMode() ? core.loc.systemDir : core.loc.windowsDir;
  return {"|" + core.loc.systemDir + "*.cpl", "|" + core.loc.windowsDir + "control.ini",
          "|" + programFolder + "control.exe"};
}

void ItemArchiving::BackupControlPanel(int step) {
  const std::string setDir = CheckPath(core.backupRun.backupSetDir);
  const std::string archive = setDir + kControlPanelArchive;
  recordingArchiveFailure(core, archive, [&] {
    core.Form4.view.item = 0;
    core.Form4.view.status = std::string("Producing ") + kControlPanelArchive;
    core.env.ui.showProgress(core.Form4.view);
    core.Zip1.SetZipName(archive);
    core.Zip1.TempPath = core.loc.tempDir;
    core.Zip1.Recurse = false;
    core.Zip1.ExcludeList.clear();
    core.Zip1.FilesList = controlPanelFiles();
    core.Zip1.Password = core.Form8.password;
    archiving.ArchiveOrCopy(setDir, kControlPanelArchive);
    core.Zip1.CloseArchive();
  });
  archiving.advanceOverall(step);
}

}  // namespace corvasta
