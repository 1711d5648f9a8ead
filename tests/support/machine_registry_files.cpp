#include "tests/support/machine_registry_files.h"

#include <filesystem>
#include <vector>

#include "platform/registry/nt_hive_write.h"
#include "platform/registry/registry_tree.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

using platform::registry::RegistryTree;

void writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  writeFile(file, std::string(bytes.begin(), bytes.end()));
}

std::filesystem::path hostOf(const platform::Machine& machine, const std::string& winPath) {
  return machine.resolve(winPath).host;
}

void writeWin9xFileIfMissing(const std::filesystem::path& file, const RegistryTree& tree) {
  if (!std::filesystem::exists(file))
    writeBytes(file, platform::registry::writeWin9xRegistry(tree));
}

void setCurrentUser(const std::filesystem::path& systemDat, const std::string& name) {
  RegistryTree tree = readWin9xRegistryFile(systemDat);
  std::vector<uint8_t> data(name.begin(), name.end());
  data.push_back(0);
  tree.root.ensurePath("System\\CurrentControlSet\\Control")
      .setValue({"Current User", platform::registry::kRegSz, data});
  writeBytes(systemDat, platform::registry::writeWin9xRegistry(tree));
}

}  // namespace

void ensureWin9xRegistry(const platform::Machine& machine) {
  const std::string windows = machine.config().windowsDirectory;
  writeWin9xFileIfMissing(hostOf(machine, windows + "\\system.dat"), RegistryTree{});
  RegistryTree users;
  users.root.ensurePath(".DEFAULT");
  writeWin9xFileIfMissing(hostOf(machine, windows + "\\user.dat"), users);
}

void writeUserProfile(const platform::Machine& machine, const std::string& name) {
  const std::string windows = machine.config().windowsDirectory;
  if (platform::isNt(machine.version())) {
    const std::string profile = windows.substr(0, 2) + "\\Documents and Settings\\" + name;
    writeBytes(hostOf(machine, profile + "\\ntuser.dat"),
               platform::registry::writeNtHive(RegistryTree{}));
    return;
  }
  ensureWin9xRegistry(machine);
  setCurrentUser(hostOf(machine, windows + "\\system.dat"), name);
  writeBytes(hostOf(machine, windows + "\\Profiles\\" + name + "\\user.dat"),
             platform::registry::writeWin9xRegistry(RegistryTree{}));
}

}  // namespace testing_support
