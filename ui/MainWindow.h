#pragma once
// The main window's view (TForm1): a frameless 491 x 244 window with its own
// red title bar, the wizard and exit buttons on the left, the pages in the
// middle and the status panel with the marquee at the bottom. It binds the
// controls to TForm1, which holds the state and runs the operations.
//
// The implementation is spread over files by concern:
//   MainWindow.cpp          construction and layout
//   MainWindowPages.cpp     the pages' controls
//   MainWindowActions.cpp   what the buttons and the troubleshooter menu start;
//                           closing and minimising
//   MainWindowState.cpp     the window start sequence and showing TForm1's state

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "prefs/PrefsNavigation.h"
#include "ui/MainWindowPages.h"

class QMenu;
class QPushButton;
class QStackedWidget;

namespace corvasta {

class TForm1;
class TForm11;
class Marquee;
class MainWindowTitleBar;
class MainWindowTabBar;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 491;
  static constexpr int kHeight = 244;

  explicit MainWindow(TForm1& form, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The window start sequence; the first show runs it once, after the window
  // has been painted.
  void startWindow();
  bool windowStarted() const { return started_; }

  // The page shown (MainTab; kIntroductionPage before any tab is chosen).
  int activeTab() const { return activeTab_; }
  // Shows a page as a click on its tab does (kIntroductionPage included).
  void showTab(int tab);

  TForm1& form() { return form_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildLeftColumn();
  QWidget* buildStatusPanel();
  void connectControls();
  // One action per item of the Windows mode's troubleshooter menu, hidden
  // where the mode has no item.
  QMenu* buildTroubleshooterMenu();
  // Shows TForm1's state: config names and boxes, the restore page, the
  // mode-dependent texts, the Undo RegPack button.
  void showFormState();
  void showConfigBoxes();
  // The Crash Fixer page (MainWindowCrashFixer.cpp): its controls bound to
  // the restore sources, and the page shown from their state.
  void connectCrashFixer();
  void showRestorePage();
  // The RegPack page (MainWindowRegPack.cpp): its buttons and list bound to
  // the RegPack subsystem; each operation refreshes the Undo RegPack button.
  void connectRegPack();
  void runRegPackOperation(const std::function<void()>& operation);
  void showRegPackPage();

  // Handlers.
  void backupClicked();
  void helpClicked();
  // "&Extractor": TForm1's ExtractorClick with the Extractor dialog as its view.
  void extractorClicked();
  // "&Change Backup Properties" and "&Preferences, Settings, Backup Manager":
  // the Preferences dialog on a page; closing it shows the config boxes and
  // the restore menus again (MainWindowPreferences.cpp).
  void preferencesClicked(PrefsPage page, PropertiesTab tab);
  // The Preferences dialog's "&New" and "&Edit": the Other Files editor on
  // that entry, over the dialog; made once and kept for the next entry.
  void openOtherFilesEditor(const std::string& name, int index);
  void showTroubleshooterMenu();
  void showAbout();
  // Closes the window when the logic ended the program (close-after-run).
  void endIfTerminated();
  // Runs an operation; an error is shown in a message box and the program
  // goes on, as every operation's failure is.
  void guarded(const std::function<void()>& operation);

  TForm1& form_;
  std::unique_ptr<TForm11> otherFilesEditor_;
  bool started_ = false;
  bool startQueued_ = false;
  int activeTab_ = -1;

  MainWindowTitleBar* titleBar_ = nullptr;
  MainWindowTabBar* tabBar_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QPushButton* backupWizard_ = nullptr;
  QPushButton* restoreWizard_ = nullptr;
  QPushButton* exit_ = nullptr;
  QMenu* troubleshooterMenu_ = nullptr;
  Marquee* marquee_ = nullptr;

  BackupPage backup_;
  CrashFixerPage crashFixer_;
  RegPackPage regPack_;
  ExtractorPage extractor_;
  BootDiskPage bootDisk_;
  RepairPage repair_;
  HelpPage help_;
};

}  // namespace corvasta
