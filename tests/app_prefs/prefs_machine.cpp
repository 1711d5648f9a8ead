#include "tests/app_prefs/prefs_machine.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/system_info.h"
#include "tests/support/test_machine.h"

namespace prefs_test {

PrefsMachine::PrefsMachine(platform::WindowsVersion version, int windowsMode, int users) {
  platform::sample::SampleOptions options;
  options.users = users;
  platform::sample::createSampleMachine(dir / "machine", version, options);
  machine = platform::Machine::open(dir / "machine");
  start(windowsMode);
}

PrefsMachine::PrefsMachine(platform::WindowsVersion version, int windowsMode,
                           const std::function<void(platform::MachineConfig&)>& adjust) {
  machine =
      testing_support::makeTestMachine(dir.path(), version, {testing_support::TestDrive{}}, adjust);
  start(windowsMode);
  // The Windows directory, where scanreg.ini is written.
  files->createDirectory(corvasta::RemoveBackSl(form->core.loc.windowsDir));
}

void PrefsMachine::start(int windowsMode) {
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  // What the entry sequence finds before the settings are read.
  corvasta::SystemLocations& loc = form->core.loc;
  loc.programDir = corvasta::CheckPath(machine->config().programDirectory);
  loc.windowsDir =
      corvasta::CheckPath(platform::ansiUpper(platform::getWindowsDirectory(*machine)));
  loc.systemDir = corvasta::CheckPath(platform::ansiUpper(platform::getSystemDirectory(*machine)));
  loc.windowsDrive = loc.windowsDir.substr(0, 2);
  // A small test machine has no program directory yet.
  for (size_t slash = loc.programDir.find('\\', 3); slash != std::string::npos;
       slash = loc.programDir.find('\\', slash + 1)) {
    const std::string folder = loc.programDir.substr(0, slash);
    if (!files->directoryExists(folder)) files->createDirectory(folder);
  }
}

std::filesystem::path PrefsMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

std::string PrefsMachine::settingsText() const {
  return testing_support::readFile(host(form->core.settingsFile()));
}

void PrefsMachine::writeSettings(const std::string& text) {
  testing_support::writeFile(host(form->core.settingsFile()), text);
}

std::string PrefsMachine::setting(const std::string& section, const std::string& key) const {
  return platform::getPrivateProfileString(*machine, section, key, "@", form->core.settingsFile());
}

void PrefsMachine::setRegistryString(platform::HKEY root, const std::string& key,
                                     const std::string& name, const std::string& value) {
  platform::HKEY handle = 0;
  ASSERT_EQ(registry->createKeyEx(root, key, 0, platform::KEY_ALL_ACCESS, handle),
            platform::WinError::Success);
  std::vector<uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  ASSERT_EQ(registry->setValueEx(handle, name, 1, data), platform::WinError::Success);
  registry->closeKey(handle);
}

PrefsMachine smallMachine(platform::WindowsVersion version, int windowsMode,
                          const std::function<void(platform::MachineConfig&)>& adjust) {
  return PrefsMachine(version, windowsMode, adjust);
}

}  // namespace prefs_test
