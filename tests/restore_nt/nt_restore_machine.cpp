#include "tests/restore_nt/nt_restore_machine.h"

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/simulators/windows_tools.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/registry_file.h"
#include "tests/support/registry_values.h"

namespace restore_nt_test {

using platform::WindowsVersion;

int modeOf(WindowsVersion version) {
  return version == WindowsVersion::Nt4 ? 4 : version == WindowsVersion::Win2000 ? 5 : 6;
}

testing_support::MachineBuilder ntSample(WindowsVersion version) {
  // cmd and expand, which the repair-set restore runs.
  platform::registerWindowsToolSimulators();
  return testing_support::MachineBuilder::sample(version).windowsMode(modeOf(version));
}

std::vector<std::string> loadedHiveFiles(NtProgram& m) {
  std::vector<std::string> files;
  for (const platform::HiveMount& hive : m.registry->hives())
    if (!hive.winPath.empty()) files.push_back(hive.winPath);
  return files;
}

std::string loadedHive(NtProgram& m, const std::string& fileName) {
  for (const std::string& file : loadedHiveFiles(m))
    if (platform::ansiEqualNoCase(corvasta::lastElement(file), fileName)) return file;
  return "";
}

testing_support::RegistryListing hiveListing(NtProgram& m, const std::string& winPath) {
  return testing_support::listRegistryTree(testing_support::readNtHiveFile(m.host(winPath)));
}

std::map<std::string, testing_support::RegistryListing> registryListing(NtProgram& m) {
  std::map<std::string, testing_support::RegistryListing> listing;
  for (const std::string& file : loadedHiveFiles(m)) listing[file] = hiveListing(m, file);
  return listing;
}

namespace {

constexpr const char* kDamagedKey = "Software\\Damaged by a crash";

std::string readString(platform::LiveRegistry& registry, platform::HKEY root,
                       const std::string& key, const std::string& name) {
  platform::HKEY handle = 0;
  if (registry.openKeyEx(root, key, 0, platform::KEY_READ, handle) != platform::WinError::Success)
    return "@";
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const bool read = registry.queryValueEx(handle, name, type, data) == platform::WinError::Success;
  registry.closeKey(handle);
  if (!read) return "@";
  std::string text(data.begin(), data.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

}  // namespace

void damageRegistry(NtProgram& m) {
  testing_support::setRegistryString(*m.registry, platform::HKEY_LOCAL_MACHINE, kDamagedKey,
                                     "State", "damaged");
  testing_support::setRegistryString(*m.registry, platform::HKEY_CURRENT_USER, kDamagedKey, "State",
                                     "damaged");
  testing_support::setRegistryString(*m.registry, platform::HKEY_LOCAL_MACHINE,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                     "ProgramFilesDir", "X:\\Nowhere");
  m.registry->flushAll();
}

bool registryDamaged(NtProgram& m) {
  return readString(*m.registry, platform::HKEY_LOCAL_MACHINE, kDamagedKey, "State") == "damaged" ||
         readString(*m.registry, platform::HKEY_CURRENT_USER, kDamagedKey, "State") == "damaged" ||
         readString(*m.registry, platform::HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                    "ProgramFilesDir") == "X:\\Nowhere";
}

std::string backUpRegistry(NtProgram& m, int compress, const std::string& password) {
  testing_support::writeConfig(m, 1, "C:\\Backups", compress, corvasta::kFullBackup, {0});
  m.ui.expect("Backup Finished", "OK");
  std::vector<std::string> params{"schedule", "1"};
  if (!password.empty()) params.push_back("P" + password);
  m.start(params);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  const std::string set = m.setting("Backup Directories", "1");
  EXPECT_NE(set, "@");
  return corvasta::CheckPath(set);
}

}  // namespace restore_nt_test
