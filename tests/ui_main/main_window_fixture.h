#pragma once
// A sample Windows machine with the main window's logic and view on it: the
// scripted Ui answers every message box, the clock stands on a fixed day,
// and the offscreen Qt platform draws the window.

#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/machine.h"
#include "platform/core/windows_version.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

class QWidget;

namespace ui_main_test {

// Which front end answers the logic: the scripted Ui (expected prompts) or
// the real Qt Ui with its progress window and message boxes.
enum class Front { Scripted, Qt };

struct MainWindowMachine {
  MainWindowMachine(platform::WindowsVersion version, int windowsMode,
                    Front front = Front::Scripted);
  ~MainWindowMachine();

  // Runs the entry sequence without switches and creates the window.
  corvasta::MainWindow& openWindow();
  // Shows the window and lets the window start sequence run.
  corvasta::MainWindow& showWindow();

  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  void write(const std::string& winPath, const std::string& text) const;
  std::string setting(const std::string& section, const std::string& key) const;  // "@" if missing
  void setSetting(const std::string& section, const std::string& key, const std::string& value);
  // The command lines the machine started, in order.
  std::vector<std::string> startedPrograms() const;

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::QtUi> qtUi;
  std::unique_ptr<corvasta::TForm1> form;
  std::unique_ptr<corvasta::MainWindow> window;
};

template <typename Widget>
Widget* child(QWidget& parent, const char* name) {
  return parent.findChild<Widget*>(QString::fromLatin1(name));
}

}  // namespace ui_main_test
