// The MS-DOS-mode hand-off: startwin.bat, its method and the way out of Windows.

#include "restore/DosHandOff.h"

#include "app/core/Core.h"
#include "app/core/EditAutoexec.h"
#include "app/core/TextLines.h"
#include "platform/files/file_system.h"
#include "platform/system/process_start.h"
#include "platform/system/restart.h"

namespace corvasta {

namespace {

// The Windows Restart preference's "autoexec.bat".
constexpr int kRestartThroughAutoexec = 1;

}  // namespace

DosHandOff::Method DosHandOff::ChooseForRegPack() const {
  if (core.SafeMode || core.Form8.config.windowsRestart == kRestartThroughAutoexec)
    return Method::Autoexec;
  return Method::Pif;
}

DosHandOff::Method DosHandOff::ChooseForRestore() const {
  const std::vector<int>& checks = core.Form8.config.winFilesChecks;
  const bool autoexecItemChecked = checks.size() > 1 && checks[1] == 1;
  if (!autoexecItemChecked) return Method::Autoexec;
  return ChooseForRegPack();
}

std::string DosHandOff::BatchPath(Method method) const {
  return (method == Method::Pif ? core.loc.programDir : core.loc.rootDir) + "startwin.bat";
}

bool DosHandOff::SupportFilesPresent(Method method) const {
  if (method != Method::Pif || core.env.files.fileExists(core.loc.programDir + "startwin.pif"))
    return true;
  core.env.ui.messageBox("Startwin.bat is not properly setup.\r\rPlease reinstall Corvasta " +
                             core.LongModeName + ".  Startwin.pif missing.",
                         core.ApplicationTitle, Buttons::Ok, Icon::Error);
  return false;
}

void DosHandOff::Begin(Method method) {
  method_ = method;
  path_ = BatchPath(method);
  lines_.clear();
  open_ = true;
  write();
}

void DosHandOff::AddLines(const std::vector<std::string>& lines) {
  lines_.insert(lines_.end(), lines.begin(), lines.end());
  write();
}

void DosHandOff::Close(const std::string& closingLine) {
  if (!open_) return;
  lines_.push_back(closingLine);
  write();
  open_ = false;
}

void DosHandOff::Discard() {
  if (path_.empty()) return;
  open_ = false;
  if (core.env.files.fileExists(path_)) core.env.files.deleteFile(path_);
}

void DosHandOff::write() {
  saveLines(core.env.files, path_, lines_);
}

void DosHandOff::PrepareAutoexec(const std::string& line) {
  const std::string autoexec = core.loc.rootDir + "autoexec.bat";
  // The "clean" start deletes an autoexec.bat that only the call made.
  const std::string marker =
      core.env.files.fileExists(autoexec) ? core.loc.rootDir + "startwin.bat" : "delete";
  EditAutoexec(core.env.files, autoexec, "win", false, true, line);
  core.MakeShortcut(core.ProgramPath(), "clean \"" + marker + "\" " + autoexec,
                    core.loc.startupDir + "cleanup.lnk");
}

void DosHandOff::Leave() {
  if (method_ == Method::Autoexec) {
    platform::WinError lastError = platform::WinError::Success;
    platform::exitWindowsEx(core.env.machine, platform::kEwxReboot, lastError);
    return;
  }
  platform::winExec(core.env.machine, path_);
}

}  // namespace corvasta
