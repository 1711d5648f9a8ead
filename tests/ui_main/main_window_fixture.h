#pragma once
// A sample Windows machine with the main window's logic and view on it: the
// scripted Ui answers every message box (or the real Qt Ui does), the clock
// stands on a fixed day, and the offscreen Qt platform draws the window.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/ScriptedUi.h"
#include "platform/core/windows_version.h"
#include "tests/support/program_rig.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

class QWidget;

namespace ui_main_test {

// Which front end answers the logic: the scripted Ui (expected prompts) or
// the real Qt Ui with its progress window and message boxes.
enum class Front { Scripted, Qt };

// The front ends, made before the program that talks to one of them.
struct FrontEnds {
  explicit FrontEnds(Front front);
  corvasta::Ui& chosen();

  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::QtUi> qtUi;
};

struct MainWindowMachine : FrontEnds, testing_support::ProgramRig {
  // `configure`: changes to the sample's machine.ini (privileges ...).
  MainWindowMachine(platform::WindowsVersion version, int windowsMode,
                    Front front = Front::Scripted,
                    std::function<void(platform::MachineConfig&)> configure = {});
  ~MainWindowMachine() override;

  // Runs the entry sequence without switches and creates the window.
  corvasta::MainWindow& openWindow();
  // Shows the window and lets the window start sequence run.
  corvasta::MainWindow& showWindow();
  // The command lines the machine started, in order.
  std::vector<std::string> startedPrograms() const;

  std::unique_ptr<corvasta::MainWindow> window;
};

template <typename Widget>
Widget* child(QWidget& parent, const char* name) {
  return parent.findChild<Widget*>(QString::fromLatin1(name));
}

}  // namespace ui_main_test
