#pragma once
// A machine with the main window's logic on it for the settings and
// locations tests: a sample installation or a small test machine, the
// scripted Ui, and the locations the entry sequence finds before the
// settings are read.

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

namespace prefs_test {

struct PrefsMachine {
  // A sample installation of `version` (`users` profiles, -1 the default).
  PrefsMachine(platform::WindowsVersion version, int windowsMode, int users = -1);
  // A small test machine with one fixed drive C; `adjust` changes machine.ini.
  PrefsMachine(platform::WindowsVersion version, int windowsMode,
               const std::function<void(platform::MachineConfig&)>& adjust);

  // The host path of a Windows path.
  std::filesystem::path host(const std::string& winPath) const;
  std::string settingsText() const;
  void writeSettings(const std::string& text);
  // A value of the settings file as the profile functions read it ("@" when missing).
  std::string setting(const std::string& section, const std::string& key) const;
  // Sets a string value under HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE.
  void setRegistryString(platform::HKEY root, const std::string& key, const std::string& name,
                         const std::string& value);

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::TForm1> form;

 private:
  void start(int windowsMode);
};

// A small test machine of `version` running the edition of `windowsMode`.
PrefsMachine smallMachine(platform::WindowsVersion version = platform::WindowsVersion::WinMe,
                          int windowsMode = 3,
                          const std::function<void(platform::MachineConfig&)>& adjust = {});

}  // namespace prefs_test
