// The closing steps of a config's backup, taken on every path once the
// progress window is shown: the warning list or the "Backup Finished"
// message, the activity-log entry, and the failure passed on afterwards.

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool folderIsEmpty(platform::FileSystem& files, const std::string& folder) {
  for (const platform::FindData& entry : files.findAll(CheckPath(folder) + "*.*"))
    if (entry.name != "." && entry.name != "..") return false;
  return true;
}

std::string failureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

void BackupRun::closeBackupConfig(const BackupRunState& run, std::exception_ptr failure) {
  core.backupRun.cancelled = false;
  core.CancelRequest = false;
  core.Zip1.Cancel = false;
  core.Zip2.Cancel = false;
  manager.RefreshBackupManager();

  if (core.FilesBackedUp == run.filesAtStart) {
    try {
      if (core.env.files.directoryExists(RemoveBackSl(run.setDir)) &&
          folderIsEmpty(core.env.files, run.setDir))
        core.env.files.removeDirectory(RemoveBackSl(run.setDir));
    } catch (const Error&) {
      // A drive root or a folder in use stays.
    }
  }

  core.ShowProgressForm(false, "Corvasta " + core.LongModeName);
  core.env.ui.beep();

  // A failure that did not say so itself still makes this a run with errors.
  if (failure) {
    const std::string text = failureText(failure);
    if (!core.ErrorFlag ||
        std::find(core.ErrorList.begin(), core.ErrorList.end(), text) == core.ErrorList.end())
      core.ErrorList.push_back(text);
    core.ErrorFlag = true;
  }

  const RunFindings findings{core.FilesBackedUp, core.OpenFilesFound, core.RegistryFilesFlag,
                             core.LongFNFlag, core.BigFFlag};
  const auto openReport = [this](const char* name) {
    const std::string file = core.loc.programDir + name;
    if (core.env.files.fileExists(file)) core.Exec(core.loc.windowsDir + "notepad.exe " + file, 1);
  };
  if (core.ErrorFlag) {
    for (std::string& line : warningSummaryLines(findings))
      core.ErrorList.push_back(std::move(line));
    if (core.LongFNFlag) openReport("longfn.txt");
    if (core.BigFFlag) openReport("bigfiles.txt");
    for (const std::string& line : core.ErrorList) core.Log(line);
    core.Log("<<< Ended at " + core.Timestamp());
    core.WriteResultFile();
    core.ShowWarningList(false);
  } else if (isLastConfigOfRun(run.config)) {
    // The program ends right after a run with "close after backup": the
    // entry is written then too, only the message is left out.
    const std::string message = finishedMessage(findings);
    const bool show = !core.Form8.config.closeAfterBackup;
    if (show && core.LongFNFlag) openReport("longfn.txt");
    if (show && core.BigFFlag) openReport("bigfiles.txt");
    core.Log(message);
    core.Log("<<< Ended at " + core.Timestamp());
    core.WriteResultFile();
    if (show)
      core.env.ui.messageBox(message, core.ApplicationTitle, Buttons::Ok, Icon::Information);
  }

  core.Form4.view.overall = 0;
  core.Form4.view.item = 0;
  core.env.ui.showProgress(core.Form4.view);
  core.env.ui.setBusyCursor(false);
  core.CloseAfterRun = platform::TIniFile(core.env.machine, core.settingsFile())
                           .ReadBool(configSection(run.config + 1), "CloseAfterBackup", false);
  if (OnConfigClosed) OnConfigClosed();
  core.requests.backup[static_cast<size_t>(run.config)] = false;
  if (failure) std::rethrow_exception(failure);
}

}  // namespace corvasta
