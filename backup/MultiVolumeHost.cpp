#include "backup/MultiVolumeHost.h"

#include "app/core/Core.h"
#include "backup/DeleteFiles.h"

namespace corvasta {
namespace {

Buttons buttonsOf(archive::TPromptButtons buttons) {
  switch (buttons) {
    case archive::pbOkCancel:
      return Buttons::OkCancel;
    case archive::pbRetryCancel:
      return Buttons::RetryCancel;
    case archive::pbOkCancelIgnore:
      break;
  }
  // OK, Cancel and Ignore: the Windows set with three buttons stands for
  // them, Retry (go on with the disk now in the drive) for OK and Abort for
  // Cancel.
  return Buttons::AbortRetryIgnore;
}

archive::TPromptResult resultOf(archive::TPromptButtons buttons, int answer) {
  if (buttons == archive::pbOkCancelIgnore) {
    if (answer == IDRETRY || answer == IDOK) return archive::prOk;
    if (answer == IDIGNORE) return archive::prIgnore;
    return archive::prCancel;
  }
  if (answer == IDOK) return archive::prOk;
  if (answer == IDRETRY) return archive::prRetry;
  if (answer == IDIGNORE) return archive::prIgnore;
  return archive::prCancel;
}

[[noreturn]] void cdNotAvailable() {
  throw Error(kCdNotAvailable);
}

}  // namespace

archive::TPromptResult ProgramMultiVolumeHost::ask(const std::string& text,
                                                   const std::string& caption,
                                                   archive::TPromptIcon icon,
                                                   archive::TPromptButtons buttons) {
  core_.env.ui.restore();
  const int answer = core_.env.ui.messageBox(
      text, caption.empty() ? core_.ApplicationTitle : caption, buttonsOf(buttons),
      icon == archive::piError ? Icon::Error : Icon::None);
  if (core_.Minimized) core_.env.ui.minimize();
  return resultOf(buttons, answer);
}

void ProgramMultiVolumeHost::beep() {
  core_.env.ui.beep();
}

std::string ProgramMultiVolumeHost::applicationTitle() {
  return core_.ApplicationTitle;
}

void ProgramMultiVolumeHost::setApplicationTitle(const std::string& title) {
  core_.ApplicationTitle = title;
  core_.env.ui.setApplicationTitle(title);
}

std::string ProgramMultiVolumeHost::statusText() {
  return core_.Form4.view.status;
}

void ProgramMultiVolumeHost::setStatusText(const std::string& text) {
  core_.Form4.view.status = text;
  core_.env.ui.showProgress(core_.Form4.view);
}

void ProgramMultiVolumeHost::deleteSubDirs(const std::string& directory) {
  DeleteSubDirs(core_, directory);
}

void ProgramMultiVolumeHost::openTray() {
  cdNotAvailable();
}

void ProgramMultiVolumeHost::closeTray() {
  cdNotAvailable();
}

uint64_t ProgramMultiVolumeHost::cdFreeBlocks() {
  cdNotAvailable();
}

uint64_t ProgramMultiVolumeHost::cdDriveTotalSize() {
  cdNotAvailable();
}

bool ProgramMultiVolumeHost::stageOnCd(const std::string&, const std::string&) {
  cdNotAvailable();
}

bool ProgramMultiVolumeHost::burnCd() {
  cdNotAvailable();
}

bool ProgramMultiVolumeHost::cdErasable() {
  cdNotAvailable();
}

void ProgramMultiVolumeHost::eraseCd() {
  cdNotAvailable();
}

bool ProgramMultiVolumeHost::cdCapacityCheck() {
  // Disks other than the CD engine's need no capacity check; a CD target of
  // the engine never gets this far.
  if (core_.targetIsEngineCd()) cdNotAvailable();
  return true;
}

}  // namespace corvasta
