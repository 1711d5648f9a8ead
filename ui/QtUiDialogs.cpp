// The Qt Ui's modal dialogs: message boxes with the Windows button sets,
// input boxes, and the file and folder choosers over the machine's drives.

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <map>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "ui/ProgressWindow.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

// Windows' button texts: the result's name, with an accelerator except on
// OK and Cancel.
QString buttonText(int result) {
  const QString name = resultName(result);
  return result == IDOK || result == IDCANCEL ? name : "&" + name;
}

// Only OK and Cancel get Qt's accept and reject roles: a box whose set has
// Cancel, or only OK, closes with Escape (and the caption's close button)
// as that button; the other sets, like Windows' Yes/No and
// Abort/Retry/Ignore, wait for a button.
QMessageBox::ButtonRole buttonRole(int result) {
  if (result == IDOK) return QMessageBox::AcceptRole;
  if (result == IDCANCEL) return QMessageBox::RejectRole;
  return QMessageBox::ActionRole;
}

QMessageBox::Icon qtIcon(Icon icon) {
  switch (icon) {
    case Icon::Error:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A box closed without a button (only possible with an escape button)
// answers as Windows does: Cancel, else the only button.
int closedResult(const std::vector<int>& results) {
  for (int result : results)
    if (result == IDCANCEL) return IDCANCEL;
  return results.front();
}

QString qtPattern(const std::string& pattern) {
  // Windows' "*.*" matches names without an extension too.
  if (pattern == "*.*") return "*";
  return fromAnsi(pattern);
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t found = text.find(separator); found != std::string::npos;
       found = text.find(separator, start)) {
    parts.push_back(text.substr(start, found - start));
    start = found + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

QStringList qtNameFilters(const std::string& windowsFilter) {
  QStringList filters;
  if (windowsFilter.empty()) return filters;
  const std::vector<std::string> parts = split(windowsFilter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const std::string& pattern : split(parts[i + 1], ';'))
      if (!pattern.empty()) patterns << qtPattern(pattern);
    if (patterns.isEmpty()) continue;
    filters << fromAnsi(parts[i]) + " (" + patterns.join(' ') + ")";
  }
  return filters;
}

QWidget* QtUi::dialogParent() {
  // Above the progress window while it shows, since that one stays on top.
  if (progress_ && progress_->isVisible()) return progress_;
  return mainWindow_;
}

int QtUi::messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                     Icon icon, size_t defaultButton) {
  QMessageBox box(dialogParent());
  box.setWindowTitle(fromAnsi(caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(fromAnsi(text));
  box.setIcon(qtIcon(icon));
  const std::vector<int> results = resultsOf(buttons);
  std::map<QAbstractButton*, int> resultOf;
  for (int result : results) {
    QPushButton* button = box.addButton(buttonText(result), buttonRole(result));
    resultOf[button] = result;
    if (result == results[defaultButton < results.size() ? defaultButton : 0])
      box.setDefaultButton(button);
  }
  execDialog(box);
  const auto clicked = resultOf.find(box.clickedButton());
  return clicked != resultOf.end() ? clicked->second : closedResult(results);
}

std::optional<std::string> QtUi::inputBox(const std::string& caption, const std::string& prompt,
                                          const std::string& initial, bool masked) {
  QInputDialog dialog(dialogParent());
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(fromAnsi(caption));
  dialog.setLabelText(fromAnsi(prompt));
  dialog.setTextValue(fromAnsi(initial));
  dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
  if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
  return toAnsi(dialog.textValue());
}

std::optional<std::string> QtUi::chooseFile(const std::string& title, const std::string& filter,
                                            const std::string& initialFolder) {
  QStringList filters = qtNameFilters(filter);
  return chooseHostPath(title, filters.join(";;"), initialFolder, false);
}

std::optional<std::string> QtUi::chooseFolder(const std::string& title,
                                              const std::string& initialFolder) {
  return chooseHostPath(title, QString(), initialFolder, true);
}

std::optional<std::string> QtUi::chooseHostPath(const std::string& title, const QString& filter,
                                                const std::string& initialFolder, bool folder) {
  if (!machine_) return std::nullopt;
  QString startIn;
  try {
    const platform::HostLocation location = machine_->resolve(initialFolder);
    if (location.exists) startIn = QString::fromStdString(location.host.string());
  } catch (const corvasta::Error&) {
    // An unknown drive or a malformed path: the dialog starts where Qt likes.
  }
  for (;;) {
    QFileDialog dialog(dialogParent(), fromAnsi(title), startIn, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    if (folder) dialog.setOption(QFileDialog::ShowDirsOnly);
    if (execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::nullopt;
    const std::filesystem::path chosen(dialog.selectedFiles().front().toStdString());
    if (const std::optional<std::string> windowsPath = machine_->winPathOf(chosen))
      return windowsPath;
    messageBox(
        toAnsi(dialog.selectedFiles().front()) + " is not on a drive of this Windows installation.",
        title, Buttons::Ok, Icon::Warning);
    startIn = dialog.directory().absolutePath();
  }
}

}  // namespace corvasta
