#pragma once
// The Qt front end's Ui: real message boxes, input boxes, file and folder
// choosers, the progress window and the warning list.
//
// Message boxes keep the Windows button sets, icons and result codes. The
// choosers speak Windows paths to the logic and host paths to Qt, through the
// machine the program runs on. processMessages runs Qt's pending events, so
// the progress window's Cancel and Minimize work while the logic is busy.
//
// Tests answer modal windows through the dialog hook: it receives every
// message box, input box, chooser and warning list once it is showing
// modally, and closes it by clicking a button or accepting it.
//
// Text crosses between the logic and Qt with fromAnsi and toAnsi: the
// logic's texts are ANSI (Windows-1252) with "\r" (or "\r\n") as the line
// break; Qt's are Unicode with "\n".

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "app/core/Ui.h"

class QDialog;
class QMenu;
class QWidget;

namespace platform {
class Machine;
}

namespace corvasta {

class ProgressWindow;
class WarningList;

QString fromAnsi(const std::string& ansi);
std::string toAnsi(const QString& text);

class QtUi : public Ui {
 public:
  using DialogHook = std::function<void(QDialog& dialog)>;
  // Receives every pop-up menu once it shows; it chooses by triggering an
  // action, or closes the menu.
  using MenuHook = std::function<void(QMenu& menu)>;
  // Receives the progress window each time the logic has shown a new state
  // in it (it is drawn between two steps of a long run only then).
  using ProgressHook = std::function<void(ProgressWindow& window)>;

  // `machine`: maps the choosers' Windows paths (none: the choosers are
  // unavailable and report cancel).
  explicit QtUi(platform::Machine* machine = nullptr);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  // The main window: owner of the dialogs, and the window the application
  // title names.
  void setMainWindow(QWidget* window);
  void setMachine(platform::Machine* machine) { machine_ = machine; }
  void setDialogHook(DialogHook hook) { dialogHook_ = std::move(hook); }
  void setMenuHook(MenuHook hook) { menuHook_ = std::move(hook); }
  void setProgressHook(ProgressHook hook) { progressHook_ = std::move(hook); }
  // Pop-up menus open at this widget's top-left corner (the restore source
  // list); without one, at the mouse pointer.
  void setMenuAnchor(QWidget* anchor) { menuAnchor_ = anchor; }

  ProgressWindow& progressWindow();
  WarningList& warningList();
  const std::string& applicationTitle() const { return title_; }
  bool busyCursor() const { return busy_; }

  int messageBox(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
                 size_t defaultButton = 0) override;
  std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial, bool masked) override;
  std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override;
  std::optional<std::string> chooseFolder(const std::string& title,
                                          const std::string& initialFolder) override;
  using Ui::popupMenu;
  std::optional<size_t> popupMenu(const std::string& caption, const std::vector<std::string>& items,
                                  const std::vector<bool>& enabled) override;
  void showProgress(const ProgressView& view) override;
  int showWarningList(const std::vector<std::string>& lines, bool yesNo) override;
  void beep() override;
  void setApplicationTitle(const std::string& title) override;
  void setBusyCursor(bool busy) override;
  void minimize() override;
  void restore() override;
  void processMessages() override;

 private:
  // Hands a modal dialog to the hook once it shows.
  void armDialogHook(QDialog& dialog);
  int execDialog(QDialog& dialog);
  QWidget* dialogParent();
  std::optional<std::string> chooseHostPath(const std::string& title, const QString& filter,
                                            const std::string& initialFolder, bool folder);

  platform::Machine* machine_;
  QPointer<QWidget> mainWindow_;
  // Owned here, or by the main window when it goes first.
  QPointer<ProgressWindow> progress_;
  QPointer<WarningList> warnings_;
  DialogHook dialogHook_;
  MenuHook menuHook_;
  ProgressHook progressHook_;
  QPointer<QWidget> menuAnchor_;
  std::string title_;
  bool busy_ = false;
  std::vector<QPointer<QWidget>> minimized_;
};

// A Windows filter ("Text files (*.txt)|*.txt|All files|*.*") as Qt's name
// filters; "*.*" matches every name, as on Windows.
QStringList qtNameFilters(const std::string& windowsFilter);

}  // namespace corvasta
