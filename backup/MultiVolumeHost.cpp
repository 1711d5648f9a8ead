#include "backup/MultiVolumeHost.h"

#include "app/Unit1.h"

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

archive::TPromptResult TForm1MultiVolumeHost::ask(const std::string& text,
                                                  const std::string& caption,
                                                  archive::TPromptIcon icon,
                                                  archive::TPromptButtons buttons) {
  form_.env.ui.restore();
  const int answer = form_.env.ui.messageBox(
      text, caption.empty() ? form_.ApplicationTitle : caption, buttonsOf(buttons),
      icon == archive::piError ? Icon::Error : Icon::None);
  if (form_.Minimized) form_.env.ui.minimize();
  return resultOf(buttons, answer);
}

void TForm1MultiVolumeHost::beep() {
  form_.env.ui.beep();
}

std::string TForm1MultiVolumeHost::applicationTitle() {
  return form_.ApplicationTitle;
}

void TForm1MultiVolumeHost::setApplicationTitle(const std::string& title) {
  form_.ApplicationTitle = title;
  form_.env.ui.setApplicationTitle(title);
}

std::string TForm1MultiVolumeHost::statusText() {
  return form_.Form4.view.status;
}

void TForm1MultiVolumeHost::setStatusText(const std::string& text) {
  form_.Form4.view.status = text;
  form_.env.ui.showProgress(form_.Form4.view);
}

void TForm1MultiVolumeHost::deleteSubDirs(const std::string& directory) {
  form_.DeleteSubDirs(directory);
}

void TForm1MultiVolumeHost::openTray() {
  cdNotAvailable();
}

void TForm1MultiVolumeHost::closeTray() {
  cdNotAvailable();
}

uint64_t TForm1MultiVolumeHost::cdFreeBlocks() {
  cdNotAvailable();
}

uint64_t TForm1MultiVolumeHost::cdDriveTotalSize() {
  cdNotAvailable();
}

bool TForm1MultiVolumeHost::stageOnCd(const std::string&, const std::string&) {
  cdNotAvailable();
}

bool TForm1MultiVolumeHost::burnCd() {
  cdNotAvailable();
}

bool TForm1MultiVolumeHost::cdErasable() {
  cdNotAvailable();
}

void TForm1MultiVolumeHost::eraseCd() {
  cdNotAvailable();
}

bool TForm1MultiVolumeHost::cdCapacityCheck() {
  // Disks other than the CD engine's need no capacity check; a CD target of
  // the engine never gets this far.
  if (form_.targetIsEngineCd()) cdNotAvailable();
  return true;
}

}  // namespace corvasta

namespace corvasta {

void TForm1::SetMultiMode(archive::TZipReader& zip) {
  if (multiVolumeHandlers) multiVolumeHandlers->SetMultiMode(zip);
}

}  // namespace corvasta
