// The Control Panel item: the Control Panel's applets, its settings file and
// the program that shows it, in one archive (or copied at pack level 0).

#include "app/Unit1.h"
#include "backup/ArchiveFailure.h"

namespace corvasta {

namespace {

constexpr const char* kControlPanelArchive = "ctrlpanl.zip";

}  // namespace

std::vector<std::string> TForm1::controlPanelFiles() const {
  // "|": the files of these folders only. The archive engine would honour
  // Recurse alone, but copy mode takes an entry without a mark with its
  // subfolders and would walk the whole Windows directory for control.ini.
  const std::string programFolder = isNtMode() ? loc.systemDir : loc.windowsDir;
  return {"|" + loc.systemDir + "*.cpl", "|" + loc.windowsDir + "control.ini",
          "|" + programFolder + "control.exe"};
}

void TForm1::BackupControlPanel(int step) {
  const std::string setDir = CheckPath(backupRun.backupSetDir);
  const std::string archive = setDir + kControlPanelArchive;
  recordingArchiveFailure(*this, archive, [&] {
    Form4.view.item = 0;
    Form4.view.status = std::string("Producing ") + kControlPanelArchive;
    env.ui.showProgress(Form4.view);
    Zip1.SetZipName(archive);
    Zip1.TempPath = loc.tempDir;
    Zip1.Recurse = false;
    Zip1.ExcludeList.clear();
    Zip1.FilesList = controlPanelFiles();
    Zip1.Password = Form8.password;
    ArchiveOrCopy(setDir, kControlPanelArchive);
    Zip1.CloseArchive();
  });
  advanceOverall(step);
}

}  // namespace corvasta
