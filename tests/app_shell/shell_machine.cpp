#include "tests/app_shell/shell_machine.h"

#include <gtest/gtest.h>

#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/test_machine.h"

namespace shell_test {

ShellMachine::ShellMachine(platform::WindowsVersion version, int windowsMode,
                           const std::function<void(platform::MachineConfig&)>& adjust) {
  machine =
      testing_support::makeTestMachine(dir.path(), version, {testing_support::TestDrive{}}, adjust);
  start(windowsMode);
}

ShellMachine::ShellMachine(Sample, platform::WindowsVersion version, int windowsMode) {
  platform::sample::createSampleMachine(dir / "machine", version);
  machine = platform::Machine::open(dir / "machine");
  start(windowsMode);
}

void ShellMachine::start(int windowsMode) {
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  form->core.elapsedSeconds = [this] { return fakeSeconds; };
  form->core.sleep = [this](int milliseconds) { fakeSeconds += milliseconds / 1000.0; };
  setToday(2004, 5, 3);

  const std::string program = corvasta::RemoveBackSl(form->core.loc.programDir);
  if (!files->directoryExists(program)) {
    std::string partial;
    for (size_t slash = program.find('\\', 3);; slash = program.find('\\', slash + 1)) {
      partial = program.substr(0, slash);
      if (!files->directoryExists(partial)) files->createDirectory(partial);
      if (slash == std::string::npos) break;
    }
  }
  // The Startup folder the program falls back on without Shell Folders.
  startup = "C:\\WINDOWS\\STARTM~1\\PROGRAMS\\STARTUP\\";
  for (const char* folder :
       {"C:\\WINDOWS", "C:\\WINDOWS\\Startm~1", "C:\\WINDOWS\\Startm~1\\Programs",
        "C:\\WINDOWS\\Startm~1\\Programs\\StartUp"})
    if (!files->directoryExists(folder)) files->createDirectory(folder);
}

std::filesystem::path ShellMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool ShellMachine::exists(const std::string& winPath) const {
  return std::filesystem::exists(host(winPath));
}

void ShellMachine::write(const std::string& winPath, const std::string& text) const {
  testing_support::writeFile(host(winPath), text);
}

std::string ShellMachine::read(const std::string& winPath) const {
  return testing_support::readFile(host(winPath));
}

std::string ShellMachine::setting(const std::string& section, const std::string& key) const {
  return platform::getPrivateProfileString(*machine, section, key, "@", form->core.settingsFile());
}

void ShellMachine::setSetting(const std::string& section, const std::string& key,
                              const std::string& value) {
  platform::writePrivateProfileString(*machine, section, key, value, form->core.settingsFile());
}

void ShellMachine::setToday(int year, int month, int day, int hour) {
  platform::SystemTime today;
  today.year = year;
  today.month = month;
  today.day = day;
  today.hour = hour;
  form->core.now = [today] { return today; };
}

}  // namespace shell_test
