#include "tests/support/form_access.h"

#include "app/Unit1.h"

namespace testing_support::form_access {

std::unique_ptr<corvasta::TForm1> makeForm(const corvasta::Environment& environment,
                                           int windowsMode) {
  return std::make_unique<corvasta::TForm1>(environment, windowsMode);
}

int windowsMode(const corvasta::TForm1& form) {
  return form.core.WindowsMode;
}

void setClock(corvasta::TForm1& form, const platform::SystemTime& today, double& fakeSeconds) {
  setToday(form, today);
  form.core.elapsedSeconds = [&fakeSeconds] { return fakeSeconds; };
  form.core.sleep = [&fakeSeconds](int milliseconds) { fakeSeconds += milliseconds / 1000.0; };
}

void setToday(corvasta::TForm1& form, const platform::SystemTime& today) {
  form.core.now = [today] { return today; };
}

void findLocations(corvasta::TForm1& form) {
  form.core.ReadSystemLocations();
  if (form.core.WindowsMode == 2 || form.core.WindowsMode == 3) form.core.ReadScanReg();
  form.core.ReadDirectories();
  form.core.CheckDirectories();
}

void applyProgramStart(corvasta::TForm1& form, const ProgramStart& start) {
  if (!start.backupSet.empty()) {
    form.core.createDirectories(corvasta::RemoveBackSl(start.backupSet));
    form.core.backupRun.backupSetDir = start.backupSet;
  }
  if (start.packLevel) form.core.Zip1.PackLevel = *start.packLevel;
  if (start.openFileBackup) form.core.Form8.config.copyOpenFiles = true;
}

bool runStart(corvasta::TForm1& form, const std::vector<std::string>& params) {
  if (!form.RunEntrySequence(params)) return false;
  form.FormShow();
  return true;
}

std::string settingsFile(const corvasta::TForm1& form) {
  return form.core.settingsFile();
}

std::string programDir(const corvasta::TForm1& form) {
  return form.core.loc.programDir;
}

std::string startupDir(const corvasta::TForm1& form) {
  return form.core.loc.startupDir;
}

void createDirectories(corvasta::TForm1& form, const std::string& path) {
  form.core.createDirectories(path);
}

std::string shortcutArguments(corvasta::TForm1& form, const std::string& linkFile) {
  return form.core.CheckParameters(linkFile);
}

}  // namespace testing_support::form_access
