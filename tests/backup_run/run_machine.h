#pragma once
// A machine with the main window's logic for backup scenarios: a sample
// Windows installation (or a small test machine with extra drives), started
// as the program starts, with a scripted Ui that can insert the next
// diskette when a disk prompt is answered.

#include <filesystem>
#include <functional>
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

namespace backup_test {

// Answers prompts as ScriptedUi does; a disk prompt answered with OK, Retry
// or Ignore first puts the next medium of `diskDrive` into the drive.
class DiskSwappingUi : public corvasta::ScriptedUi {
 public:
  int messageBox(const std::string& text, const std::string& caption, corvasta::Buttons buttons,
                 corvasta::Icon icon) override;
  platform::Drive* diskDrive = nullptr;
  std::vector<std::string> nextMedia;  // inserted in this order
  std::vector<std::string> diskPrompts;
};

struct RunMachine {
  // A sample installation of `version` run in `windowsMode`.
  RunMachine(platform::WindowsVersion version, int windowsMode);
  // A small machine of Windows ME with an empty drive C (the caller writes
  // what it needs) and the given extra drives.
  struct Small {};
  explicit RunMachine(Small, std::vector<testing_support::TestDrive> extraDrives = {});

  // The entry sequence with `params` and the window start sequence.
  void start(const std::vector<std::string>& params = {});

  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  void write(const std::string& winPath, const std::string& text) const;
  std::string read(const std::string& winPath) const;
  std::string setting(const std::string& section, const std::string& key) const;  // "@" if missing
  void setSetting(const std::string& section, const std::string& key, const std::string& value);
  void setToday(int year, int month, int day);
  // The names in a folder (files and folders), sorted, without case change.
  std::vector<std::string> list(const std::string& winFolder) const;
  // Writes config n's target, compression, backup type and WinFiles items
  // (nothing else selected) to the settings file.
  void writeConfig(int n, const std::string& target, int compress, int backupType,
                   const std::vector<size_t>& items);
  // Selects exactly these WinFiles items (and no Other Files) for the current config.
  void selectItems(const std::vector<size_t>& items);

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  DiskSwappingUi ui;
  std::unique_ptr<corvasta::TForm1> form;

 private:
  void open();
};

// The WinConfig items of the Windows 95/98/ME list a sample has on disk:
// autoexec.bat, config.sys, msdos.sys, command.com, io.sys, system.cb.
inline const std::vector<size_t> kSample9xWinConfig{1, 2, 3, 4, 5, 6};
// The NT list: autoexec.nt, config.nt, cmd.exe, ntldr, ntdetect.com, boot.ini.
inline const std::vector<size_t> kSampleNtWinConfig{1, 2, 3, 5, 6, 7};

}  // namespace backup_test
