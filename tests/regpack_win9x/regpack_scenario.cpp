#include "tests/regpack_win9x/regpack_scenario.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core/codepage.h"
#include "platform/simulators/windows_tools.h"
#include "tests/support/registry_file.h"
#include "tests/support/registry_free_space.h"

namespace regpack_test {

namespace {

void addKey(const platform::registry::RegistryKey& key, const std::string& path,
            const std::string& file, std::set<std::string>& lines) {
  lines.insert(file + "|" + path);
  for (const platform::registry::RegistryValue& value : key.values) {
    std::string hex;
    for (uint8_t byte : value.data) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", byte);
      hex += digits;
    }
    lines.insert(file + "|" + path + "|" + value.name + "|" + std::to_string(value.type) + "|" +
                 hex);
  }
  for (const platform::registry::RegistryKey& subkey : key.subkeys)
    addKey(subkey, path + "\\" + platform::ansiUpper(subkey.name), file, lines);
}

}  // namespace

std::set<std::string> registryLines(const testing_support::ProgramRig& m,
                                    const std::vector<std::string>& files) {
  std::set<std::string> lines;
  for (const std::string& file : files)
    addKey(testing_support::readWin9xRegistryFile(m.host(file)).root, "", file, lines);
  return lines;
}

std::vector<std::string> registryFiles(const testing_support::ProgramRig& m) {
  const std::string windows = m.form->core.loc.windowsDir;
  std::vector<std::string> files{m.form->core.loc.winbootdir + "system.dat", windows + "user.dat"};
  if (!m.exists(windows + "Profiles")) return files;
  for (const std::string& name : m.list(windows + "Profiles"))
    if (m.exists(windows + "Profiles\\" + name + "\\user.dat"))
      files.push_back(windows + "Profiles\\" + name + "\\user.dat");
  return files;
}

void addFreeDataBlock(testing_support::ProgramRig& m, const std::string& file, uint32_t bytes) {
  m.writeOnHost(file, testing_support::withFreeWin9xBlock(m.read(file), bytes));
}

std::string consoleProgram() {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  const std::filesystem::path program = std::string(build ? build : ".") + "/corvasta";
  return std::filesystem::exists(program) ? program.string() : std::string();
}

Win9xMachine::Win9xMachine(platform::WindowsVersion version, int users) {
  platform::registerWindowsToolSimulators();
  m = std::make_unique<testing_support::TestProgram>(
      testing_support::MachineBuilder::sample(version, users));
}

std::string Win9xMachine::windows() const {
  return m->form->core.loc.windowsDir;
}

std::string Win9xMachine::program() const {
  return m->programDir();
}

}  // namespace regpack_test
