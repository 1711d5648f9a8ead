#include "tests/regpack_undo/undo_scenario.h"

#include <gtest/gtest.h>

#include "platform/registry/win9x_registry_write.h"
#include "tests/support/registry_file.h"

namespace regpack_test {

using testing_support::MachineBuilder;

UndoScenario::UndoScenario(platform::WindowsVersion version, int users)
    : m(MachineBuilder::sample(version, users)) {
  registryFiles = {windows() + "SYSTEM.DAT", windows() + "USER.DAT"};
  if (version == platform::WindowsVersion::WinMe)
    registryFiles.push_back(windows() + "CLASSES.DAT");
  for (const std::string& user : profileUserFiles()) registryFiles.push_back(user);
}

std::string UndoScenario::windows() const {
  return m.form->core.loc.windowsDir;
}

std::vector<std::string> UndoScenario::profileUserFiles() {
  std::vector<std::string> users;
  const std::string profiles = windows() + "Profiles\\";
  if (!m.files->directoryExists(profiles)) return users;
  for (const platform::FindData& entry : m.files->findAll(profiles + "*.*"))
    if ((entry.attributes & platform::kAttributeDirectory) && entry.name != "." &&
        entry.name != ".." && m.exists(profiles + entry.name + "\\USER.DAT"))
      users.push_back(profiles + entry.name + "\\USER.DAT");
  return users;
}

void UndoScenario::makeUndoCopies() {
  for (const std::string& file : registryFiles) {
    original[file] = m.read(file);
    m.files->copyFile(file, file.substr(0, file.size() - 3) + "zzz", false);
  }
}

void UndoScenario::change(const std::string& registryFile) {
  auto tree = testing_support::readWin9xRegistryFile(m.host(registryFile));
  tree.root.ensurePath("Changed\\After\\RegPack");
  const std::vector<uint8_t> bytes = platform::registry::writeWin9xRegistry(tree);
  changed[registryFile].assign(bytes.begin(), bytes.end());
  m.writeOnHost(registryFile, changed[registryFile]);
  ASSERT_NE(m.read(registryFile), original[registryFile]);
}

void UndoScenario::changeAll() {
  for (const std::string& file : registryFiles) change(file);
}

std::map<std::string, std::string> UndoScenario::registryNow() {
  std::map<std::string, std::string> now;
  for (const std::string& file : registryFiles) now[file] = m.read(file);
  return now;
}

std::string UndoScenario::log() {
  const std::string results = m.programDir() + "results.txt";
  return (m.exists(results) ? m.read(results) : std::string()) + m.form->core.ActivityLog;
}

}  // namespace regpack_test
