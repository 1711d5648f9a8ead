#pragma once
// A machine with the main window's logic set up for a backup: the system
// locations found as at start, a temporary directory, a backup set directory
// and the scripted Ui; helpers to write files and to read what an archive
// holds.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_machine.h"

namespace archiving_test {

struct ArchivingMachine {
  // A sample installation of `version` with `users` profiles (-1: the
  // version's default).
  ArchivingMachine(platform::WindowsVersion version, int windowsMode, int users);
  // A small test machine of Windows ME with the given drives.
  explicit ArchivingMachine(std::vector<testing_support::TestDrive> drives);

  void write(const std::string& winPath, const std::string& text);
  std::string read(const std::string& winPath);
  bool exists(const std::string& winPath);
  // The stored paths (folder + name, "\" separated, upper case) of an archive.
  std::vector<std::string> entries(const std::string& archive);
  // Settings file lines, appended.
  void addSettings(const std::string& text);
  std::filesystem::path host(const std::string& winPath) const;

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::TForm1> form;
  std::string setDir = "C:\\BACKUPS\\SET1\\";

 private:
  void start(int windowsMode);
};

// How often `path` (upper case) occurs in `entries`.
size_t countOf(const std::vector<std::string>& entries, const std::string& path);

}  // namespace archiving_test
