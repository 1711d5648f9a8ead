#pragma once
// A sample installation with the main window's logic on it, its locations
// found as at start-up, and a backup set folder, for the registry capture
// tests.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/machine.h"
#include "platform/core/machine_config.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"

namespace regcap_test {

// The scripted Ui with a look at the program while it lets messages run.
struct WatchingUi : corvasta::ScriptedUi {
  std::function<void()> onMessages;
  void processMessages() override {
    if (onMessages) onMessages();
    ScriptedUi::processMessages();
  }
};

struct RegistryMachine {
  // A sample of `version` with `users` profiles (-1: the version's default),
  // run in `windowsMode`; the set folder C:\Backups\Set1\ is created.
  // `adjust` may change machine.ini before the machine is opened.
  RegistryMachine(platform::WindowsVersion version, int windowsMode, int users = -1,
                  const std::function<void(platform::MachineConfig&)>& adjust = {});

  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  std::string read(const std::string& winPath) const;
  // The bytes of the one entry stored in a single-file archive.
  std::string onlyEntryOf(const std::string& archive);
  // The bytes of one file of a cabinet.
  std::string cabinetMember(const std::string& cabinet, const std::string& name);
  void write(const std::string& winPath, const std::string& bytes) const;

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  WatchingUi ui;
  std::unique_ptr<corvasta::TForm1> form;
  std::string setDir = "C:\\Backups\\Set1\\";
};

}  // namespace regcap_test
