// The closing steps of a config's backup, taken on every path once the
// progress window is shown: the warning list or the "Backup Finished"
// message, the activity-log entry, and the failure passed on afterwards.

#include <algorithm>

#include "app/SettingsConfigRecord.h"
#include "app/Unit1.h"
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

void TForm1::closeBackupConfig(const BackupRunState& run, std::exception_ptr failure) {
  backupRun.cancelled = false;
  CancelRequest = false;
  Zip1.Cancel = false;
  Zip2.Cancel = false;
  if (FillList) FillList();

  if (FilesBackedUp == run.filesAtStart) {
    try {
      if (env.files.directoryExists(RemoveBackSl(run.setDir)) &&
          folderIsEmpty(env.files, run.setDir))
        env.files.removeDirectory(RemoveBackSl(run.setDir));
    } catch (const Error&) {
      // A drive root or a folder in use stays.
    }
  }

  ShowProgressForm(false, "Corvasta " + LongModeName);
  env.ui.beep();

  // A failure that did not say so itself still makes this a run with errors.
  if (failure) {
    const std::string text = failureText(failure);
    if (!ErrorFlag || std::find(ErrorList.begin(), ErrorList.end(), text) == ErrorList.end())
      ErrorList.push_back(text);
    ErrorFlag = true;
  }

  const RunFindings findings{FilesBackedUp, OpenFilesFound, RegistryFilesFlag, LongFNFlag,
                             BigFFlag};
  const auto openReport = [this](const char* name) {
    const std::string file = loc.programDir + name;
    if (env.files.fileExists(file)) Exec(loc.windowsDir + "notepad.exe " + file, 1);
  };
  if (ErrorFlag) {
    for (std::string& line : warningSummaryLines(findings)) ErrorList.push_back(std::move(line));
    if (LongFNFlag) openReport("longfn.txt");
    if (BigFFlag) openReport("bigfiles.txt");
    for (const std::string& line : ErrorList) Log(line);
    Log("<<< Ended at " + Timestamp());
    WriteResultFile();
    ShowWarningList(false);
  } else if (isLastConfigOfRun(run.config)) {
    // The program ends right after a run with "close after backup": the
    // entry is written then too, only the message is left out.
    const std::string message = finishedMessage(findings);
    const bool show = !Form8.config.closeAfterBackup;
    if (show && LongFNFlag) openReport("longfn.txt");
    if (show && BigFFlag) openReport("bigfiles.txt");
    Log(message);
    Log("<<< Ended at " + Timestamp());
    WriteResultFile();
    if (show) env.ui.messageBox(message, ApplicationTitle, Buttons::Ok, Icon::Information);
  }

  Form4.view.overall = 0;
  Form4.view.item = 0;
  env.ui.showProgress(Form4.view);
  env.ui.setBusyCursor(false);
  CloseAfterRun = platform::TIniFile(env.machine, settingsFile())
                      .ReadBool(configSection(run.config + 1), "CloseAfterBackup", false);
  if (GetMarqueeText) GetMarqueeText();
  requests.backup[static_cast<size_t>(run.config)] = false;
  if (failure) std::rethrow_exception(failure);
}

}  // namespace corvasta
