// The Qt Ui: the shared windows, the application's state (title, cursor,
// minimised) and the running of modal dialogs.

#include "ui/QtUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "app/core/Unit6.h"
#include "platform/core/codepage.h"
#include "ui/ProgressWindow.h"
#include "ui/WarningList.h"

namespace corvasta {

QString fromAnsi(const std::string& ansi) {
  QString text = QString::fromStdString(platform::ansiToUtf8(ansi));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string toAnsi(const QString& text) {
  return platform::utf8ToAnsi(text.toStdString());
}

QtUi::QtUi(platform::Machine* machine) : machine_(machine) {}

QtUi::~QtUi() {
  if (busy_) QApplication::restoreOverrideCursor();
  delete progress_;
  delete warnings_;
}

void QtUi::setMainWindow(QWidget* window) {
  mainWindow_ = window;
  if (window && !title_.empty()) window->setWindowTitle(fromAnsi(title_));
}

ProgressWindow& QtUi::progressWindow() {
  if (!progress_) {
    progress_ = new ProgressWindow(mainWindow_);
    QObject::connect(progress_, &ProgressWindow::cancelClicked, [this] { pressCancel(); });
    QObject::connect(progress_, &ProgressWindow::minimizeClicked, [this] { pressMinimize(); });
  }
  return *progress_;
}

WarningList& QtUi::warningList() {
  if (!warnings_) warnings_ = new WarningList(mainWindow_);
  return *warnings_;
}

void QtUi::armDialogHook(QDialog& dialog) {
  if (!dialogHook_) return;
  // Posted now, delivered by the dialog's own event loop once it shows.
  QPointer<QDialog> shown(&dialog);
  QTimer::singleShot(0, &dialog, [this, shown] {
    if (shown && dialogHook_) dialogHook_(*shown);
  });
}

int QtUi::execDialog(QDialog& dialog) {
  armDialogHook(dialog);
  return dialog.exec();
}

void QtUi::showProgress(const ProgressView& view) {
  progressWindow().showView(view);
  if (progressHook_) progressHook_(progressWindow());
}

int QtUi::showWarningList(const std::vector<std::string>& lines, bool yesNo) {
  TForm6 model;
  model.lines = lines;
  model.tag = yesNo ? 1 : 0;
  WarningList& window = warningList();
  window.setModel(model);
  armDialogHook(window);
  return window.run();
}

void QtUi::beep() {
  QApplication::beep();
}

void QtUi::setApplicationTitle(const std::string& title) {
  title_ = title;
  if (mainWindow_) mainWindow_->setWindowTitle(fromAnsi(title));
}

void QtUi::setBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtUi::minimize() {
  // Every window of the program goes to the task bar together, as the
  // Windows program minimises the application.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || window->isMinimized()) continue;
    minimized_.emplace_back(window);
    window->showMinimized();
  }
}

void QtUi::restore() {
  for (const QPointer<QWidget>& window : minimized_)
    if (window && window->isMinimized()) window->showNormal();
  minimized_.clear();
}

void QtUi::processMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace corvasta
