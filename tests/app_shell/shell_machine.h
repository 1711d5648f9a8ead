#pragma once
// A machine with the main window's logic on it for the start-up tests: a
// small test machine or a sample installation, the scripted Ui, a clock the
// test sets, and helpers for the settings file and the machine's files.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"

namespace shell_test {

struct ShellMachine {
  // A small test machine of `version` with drive C, the program directory
  // and a Startup folder in the registry.
  explicit ShellMachine(platform::WindowsVersion version = platform::WindowsVersion::WinMe,
                        int windowsMode = 3,
                        const std::function<void(platform::MachineConfig&)>& adjust = {});
  // A sample installation of `version`.
  struct Sample {};
  ShellMachine(Sample, platform::WindowsVersion version, int windowsMode);

  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  void write(const std::string& winPath, const std::string& text) const;
  std::string read(const std::string& winPath) const;
  std::string setting(const std::string& section, const std::string& key) const;  // "@" if missing
  void setSetting(const std::string& section, const std::string& key, const std::string& value);
  // Today as the form's clock gives it.
  void setToday(int year, int month, int day, int hour = 12);

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::TForm1> form;
  std::string startup;     // the Startup folder, with a final backslash
  double fakeSeconds = 0;  // the form's monotonic clock

 private:
  void start(int windowsMode);
};

}  // namespace shell_test
