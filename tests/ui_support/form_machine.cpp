#include "tests/ui_support/form_machine.h"

#include "platform/core/codepage.h"
#include "platform/profile/private_profile.h"
#include "tests/support/test_machine.h"

namespace ui_test {

FormMachine::FormMachine(platform::WindowsVersion version, int windowsMode, corvasta::Ui* ui) {
  machine = testing_support::makeTestMachine(dir.path(), version);
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(
      corvasta::Environment{*machine, *files, *registry, ui ? *ui : scripted}, windowsMode);
  corvasta::SystemLocations& loc = form->core.loc;
  loc.windowsDir = corvasta::CheckPath(platform::ansiUpper(machine->config().windowsDirectory));
  loc.winbootdir = loc.windowsDir;
  form->core.createDirectories(loc.windowsDir + "System32\\config");
  form->core.createDirectories(loc.programDir);
  setToday(2004, 5, 3);
}

std::filesystem::path FormMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

void FormMachine::writeFileOfSize(const std::string& winPath, size_t size) const {
  testing_support::writeFile(host(winPath), std::string(size, 'r'));
}

std::string formSetting(corvasta::TForm1& form, const std::string& section,
                        const std::string& key) {
  return platform::getPrivateProfileString(form.core.env.machine, section, key, "@",
                                           form.core.settingsFile());
}

void setFormSetting(corvasta::TForm1& form, const std::string& section, const std::string& key,
                    const std::string& value) {
  platform::writePrivateProfileString(form.core.env.machine, section, key, value,
                                      form.core.settingsFile());
}

void setFormToday(corvasta::TForm1& form, int year, int month, int day) {
  platform::SystemTime today;
  today.year = year;
  today.month = month;
  today.day = day;
  today.hour = 12;
  form.core.now = [today] { return today; };
}

std::string FormMachine::setting(const std::string& section, const std::string& key) const {
  return formSetting(*form, section, key);
}

void FormMachine::setSetting(const std::string& section, const std::string& key,
                             const std::string& value) {
  setFormSetting(*form, section, key, value);
}

void FormMachine::setToday(int year, int month, int day) {
  setFormToday(*form, year, month, day);
}

}  // namespace ui_test
