#pragma once
// Every place where the test rig reaches into the main window's logic, kept
// together so that where TForm1 keeps its state matters to this file only,
// not to the rig or the tests built on it.

#include <memory>
#include <string>
#include <vector>

#include "app/core/Core.h"
#include "tests/support/machine_builder.h"

namespace corvasta {
class TForm1;
}

namespace testing_support::form_access {

std::unique_ptr<corvasta::TForm1> makeForm(const corvasta::Environment& environment,
                                           int windowsMode);
int windowsMode(const corvasta::TForm1& form);

// The clock stands at `today`; the monotonic clock counts `fakeSeconds`,
// which sleeping advances.
void setClock(corvasta::TForm1& form, const platform::SystemTime& today, double& fakeSeconds);
void setToday(corvasta::TForm1& form, const platform::SystemTime& today);

// The locations as the program finds them when it starts: the entry
// sequence's Windows, System and Startup step, then the window start's
// system-backup and directory steps.
void findLocations(corvasta::TForm1& form);
// What else of `start` a program start begins with.
void applyProgramStart(corvasta::TForm1& form, const ProgramStart& start);
// The entry sequence with `params`, then the window start when the window
// is shown. False when the program ended without its window.
bool runStart(corvasta::TForm1& form, const std::vector<std::string>& params);

std::string settingsFile(const corvasta::TForm1& form);
std::string programDir(const corvasta::TForm1& form);
std::string startupDir(const corvasta::TForm1& form);
void createDirectories(corvasta::TForm1& form, const std::string& path);

// The arguments a shortcut file gives the program.
std::string shortcutArguments(corvasta::TForm1& form, const std::string& linkFile);

}  // namespace testing_support::form_access
