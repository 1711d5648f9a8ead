#pragma once
// A sample installation with the main window's logic on it, set up as a
// start of the program leaves it (locations, Startup directory, Temp), a
// folder of the user's files of which some are held open, and helpers to
// restart the machine and to read what is left on it.

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

namespace openfiles_test {

// The user's files every sample gets: C:\Data\Letter.doc (held open when
// asked), C:\Data\Notes.txt.
inline constexpr const char* kLetter = "C:\\Data\\Letter.doc";
inline constexpr const char* kNotes = "C:\\Data\\Notes.txt";
inline constexpr const char* kLetterText = "Dear Sir, the letter in use.";

struct OpenFilesMachine {
  // A sample of `version` whose Windows holds `held` open. The program runs
  // in `windowsMode` with "Enable Open File Backup" set.
  OpenFilesMachine(platform::WindowsVersion version, int windowsMode,
                   const std::vector<std::string>& held = {kLetter});

  // Opens the machine and a program start on it (again, after a restart).
  void startProgram();
  // The next start of Windows: batch files, WININIT or delayed moves, and the
  // logon. `stillHeld`: the files Windows holds open once it runs again.
  // `program`: the host path of the corvasta executable the Startup
  // shortcuts run; empty: they are only recorded.
  void restartWindows(const std::vector<std::string>& stillHeld,
                      const std::filesystem::path& program = {});
  // The program started by a Startup shortcut, in this process.
  void runShortcut(const std::string& linkFile);

  std::filesystem::path host(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  std::string read(const std::string& winPath) const;
  void write(const std::string& winPath, const std::string& text) const;
  std::string job(int number, const std::string& key) const;  // "@" when missing
  std::string programDir() const { return form->core.loc.programDir; }
  std::string startup() const { return form->core.loc.startupDir; }

  testing_support::TempDir dir;
  std::filesystem::path folder;
  platform::WindowsVersion version;
  int windowsMode;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::string bootLog;  // what the last start of Windows did
  std::unique_ptr<corvasta::TForm1> form;

 private:
  void setHeldFiles(const std::vector<std::string>& held);
};

// The names of the entries of an archive, as stored.
std::vector<std::string> entryNames(corvasta::TForm1& form, const std::string& archive);

}  // namespace openfiles_test
