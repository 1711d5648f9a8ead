#pragma once
// The main window's logic on a small test machine (drive C with the Windows
// and program directories), with the scripted Ui or another front end the
// test passes, a clock the test sets and settings helpers.

#include <filesystem>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"

namespace ui_test {

// `form`'s settings-file value ("@" when missing), and writing one.
std::string formSetting(corvasta::TForm1& form, const std::string& section, const std::string& key);
void setFormSetting(corvasta::TForm1& form, const std::string& section, const std::string& key,
                    const std::string& value);
// Stops `form`'s clock at noon of the day.
void setFormToday(corvasta::TForm1& form, int year, int month, int day);

struct FormMachine {
  // `ui`: the front end the form talks to; the scripted one when null.
  explicit FormMachine(platform::WindowsVersion version = platform::WindowsVersion::WinMe,
                       int windowsMode = 3, corvasta::Ui* ui = nullptr);

  std::filesystem::path host(const std::string& winPath) const;
  // Writes a file of `size` bytes.
  void writeFileOfSize(const std::string& winPath, size_t size) const;
  std::string setting(const std::string& section, const std::string& key) const;  // "@" if missing
  void setSetting(const std::string& section, const std::string& key, const std::string& value);
  void setToday(int year, int month, int day);

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi scripted;
  std::unique_ptr<corvasta::TForm1> form;
};

}  // namespace ui_test
