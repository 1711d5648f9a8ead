#pragma once
// The program on a test machine: the machine a MachineBuilder describes,
// written into a temporary folder, its files and registry, a front end, and
// the main window's logic with its locations found as a program start finds
// them, its clock standing still, and helpers to look at what it leaves.
//
//   TestProgram m{MachineBuilder(WindowsVersion::Win98).setting("AutoStart", "Freq", "4")};
//   m.form->RunEntrySequence({"schedule"});
//
// TestProgram answers with the scripted Ui; ProgramWith<SomeUi> with another
// one it owns; ProgramRig itself talks to a front end the test owns.

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
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class ProgramRig {
 public:
  ProgramRig(const MachineBuilder& machine, corvasta::Ui& ui);
  virtual ~ProgramRig();
  ProgramRig(const ProgramRig&) = delete;
  ProgramRig& operator=(const ProgramRig&) = delete;

  // --- Starting and restarting ------------------------------------------------
  // The entry sequence with `params`, then the window start when the window is
  // shown. False when the program ended without its window.
  bool start(const std::vector<std::string>& params = {});
  // The program starts again on the same machine, every object made afresh.
  void restartProgram();
  // The next start of Windows (batch files, WININIT, delayed moves, the
  // logon's Startup shortcuts; `program`: the corvasta executable they run,
  // empty: they are only recorded), then the program starts again. Nothing
  // is held open while Windows starts; `stillHeld` once it runs. bootLog
  // tells what the start did.
  void restartWindows(const std::vector<std::string>& stillHeld,
                      const std::filesystem::path& program = {});
  // A new start of the program with the arguments of a shortcut file.
  void runShortcut(const std::string& linkFile);
  // machine.ini changed (a drive's capacity ...); the program starts again on it.
  void reconfigureMachine(const std::function<void(platform::MachineConfig&)>& change);

  // --- The machine's files ------------------------------------------------------
  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  std::string read(const std::string& winPath) const;
  // Through Windows' file calls, as a program writes; missing folders are made.
  void write(const std::string& winPath, const std::string& bytes) const;
  // Straight into the host file, as another system leaves it: no sharing
  // rules, no attributes.
  void writeOnHost(const std::string& winPath, const std::string& bytes) const;
  void writeFileOfSize(const std::string& winPath, size_t size) const;
  // The names in a folder (files and folders), sorted.
  std::vector<std::string> list(const std::string& winFolder) const;

  // --- Settings and other INI files ---------------------------------------------
  // A value of the settings file as the profile functions read it ("@" when missing).
  std::string setting(const std::string& section, const std::string& key) const;
  void setSetting(const std::string& section, const std::string& key, const std::string& value);
  std::string settingsText() const;
  void writeSettings(const std::string& text);
  // Settings file lines, appended.
  void addSettings(const std::string& text);
  std::string profileString(const std::string& file, const std::string& section,
                            const std::string& key) const;  // "@" when missing

  // --- Archives and cabinets ------------------------------------------------------
  // The names of an archive's entries (folder + name) as stored, in order.
  std::vector<std::string> storedNames(const std::string& archive);
  // The same "\" separated and in upper case.
  std::vector<std::string> entries(const std::string& archive);
  // The bytes of the one entry stored in a single-file archive.
  std::string onlyEntryOf(const std::string& archive);
  // The bytes of one file of a cabinet.
  std::string cabinetMember(const std::string& cabinet, const std::string& name);

  // --- The program's clock and state ---------------------------------------------
  void setToday(int year, int month, int day, int hour = 12);
  std::string programDir() const;
  // The Startup directory the program uses.
  std::string startup() const;

  TempDir dir;
  std::filesystem::path folder;  // the machine folder
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  std::unique_ptr<corvasta::TForm1> form;
  std::string setDir;      // the set folder of the running backup (MachineBuilder::backupSet)
  double fakeSeconds = 0;  // the program's monotonic clock
  std::string bootLog;     // what the last start of Windows did

 private:
  void openProgram();
  void closeProgram();
  void setHeldFiles(const std::vector<std::string>& held);

  corvasta::Ui& ui_;
  ProgramStart start_;
};

// A front end the rig owns, made before the program that talks to it.
template <typename TestUi>
struct OwnedUi {
  TestUi ui;
};

template <typename TestUi>
class ProgramWith : public OwnedUi<TestUi>, public ProgramRig {
 public:
  explicit ProgramWith(const MachineBuilder& machine = MachineBuilder())
      : ProgramRig(machine, this->ui) {}
};

using TestProgram = ProgramWith<corvasta::ScriptedUi>;

}  // namespace testing_support
