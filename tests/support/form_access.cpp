#include "tests/support/form_access.h"

namespace testing_support::form_access {

std::unique_ptr<corvasta::TForm1> makeForm(const corvasta::Environment& environment,
                                           int windowsMode) {
  return std::make_unique<corvasta::TForm1>(environment, windowsMode);
}

int windowsMode(const corvasta::TForm1& form) {
  return form.WindowsMode;
}

void setClock(corvasta::TForm1& form, const platform::SystemTime& today, double& fakeSeconds) {
  setToday(form, today);
  form.elapsedSeconds = [&fakeSeconds] { return fakeSeconds; };
  form.sleep = [&fakeSeconds](int milliseconds) { fakeSeconds += milliseconds / 1000.0; };
}

void setToday(corvasta::TForm1& form, const platform::SystemTime& today) {
  form.now = [today] { return today; };
}

void findLocations(corvasta::TForm1& form) {
  form.ReadSystemLocations();
  if (form.WindowsMode == 2 || form.WindowsMode == 3) form.ReadScanReg();
  form.ReadDirectories();
  form.CheckDirectories();
}

void applyProgramStart(corvasta::TForm1& form, const ProgramStart& start) {
  if (!start.backupSet.empty()) {
    form.createDirectories(corvasta::RemoveBackSl(start.backupSet));
    form.backupRun.backupSetDir = start.backupSet;
  }
  if (start.packLevel) form.Zip1.PackLevel = *start.packLevel;
  if (start.openFileBackup) form.Form8.config.copyOpenFiles = true;
}

bool runStart(corvasta::TForm1& form, const std::vector<std::string>& params) {
  if (!form.RunEntrySequence(params)) return false;
  form.FormShow();
  return true;
}

std::string settingsFile(const corvasta::TForm1& form) {
  return form.settingsFile();
}

std::string programDir(const corvasta::TForm1& form) {
  return form.loc.programDir;
}

std::string startupDir(const corvasta::TForm1& form) {
  return form.loc.startupDir;
}

void createDirectories(corvasta::TForm1& form, const std::string& path) {
  form.createDirectories(path);
}

std::string shortcutArguments(corvasta::TForm1& form, const std::string& linkFile) {
  return form.CheckParameters(linkFile);
}

void leaveStartupShortcutsAlone(corvasta::TForm1& form) {
  form.StartupShortcutMaintenance = [] {};
}

}  // namespace testing_support::form_access
