// The progress window ("Please Wait") and the warning list ("WARNING"), shared
// by every long operation.

#include "app/core/Core.h"

namespace corvasta {
namespace {

// Room the warning list's window needs besides the list: caption and buttons.
constexpr int kWarningFrameHeight = 90;
constexpr int kWarningButtonOffset = 57;
constexpr int kWarningScrollLines = 10;

}  // namespace

WarningListLayout warningListLayout(int lineCount, int lineHeight, int screenHeight) {
  WarningListLayout layout;
  layout.listHeight = lineCount * lineHeight;
  if (layout.listHeight > screenHeight - kWarningFrameHeight) {
    layout.listHeight = kWarningScrollLines * lineHeight;
    layout.scrolls = true;
  }
  layout.windowHeight = layout.listHeight + kWarningFrameHeight;
  layout.buttonTop = layout.windowHeight - kWarningButtonOffset;
  return layout;
}

void Core::ShowProgressForm(bool show, const std::string& caption) {
  ProgressView& view = Form4.view;
  if (show) {
    view.visible = true;
    view.overall = 0;
    view.item = 0;
    view.animating = true;
    view.status.clear();
    view.percent.clear();
    if (!caption.empty()) view.caption = caption;
    env.ui.showProgress(view);
    env.ui.setBusyCursor(true);
    CancelRequest = false;
    Form4.cancelUnderWay = false;
    return;
  }
  env.ui.restore();
  Minimized = false;
  view.visible = false;
  view.animating = false;
  view.status.clear();
  view.percent.clear();
  view.caption.clear();
  env.ui.showProgress(view);
  if (!caption.empty()) {
    ApplicationTitle = caption;
    env.ui.setApplicationTitle(caption);
  }
  env.ui.setBusyCursor(false);
  env.ui.processMessages();
}

void Core::CancelClick() {
  if (RegistryBusy) {
    env.ui.messageBox(kRegistryBusyMessage, ApplicationTitle, Buttons::Ok);
    return;
  }
  if (Form4.cancelUnderWay) return;
  Form4.cancelUnderWay = true;
  ErrorFlag = true;
  ErrorList.push_back("User Cancelled");
  // The archive engines stop at their next file, every copy loop at its next step.
  Zip1.Cancel = true;
  Zip2.Cancel = true;
  backupRun.cancelled = true;
  CancelRequest = true;
}

void Core::MinimizeClick() {
  Minimized = true;
  env.ui.minimize();
}

int Core::ShowWarningList(bool yesNo) {
  Form6.lines = ErrorList;
  Form6.tag = yesNo ? 1 : 0;
  return env.ui.showWarningList(Form6.lines, yesNo);
}

}  // namespace corvasta
