// The Registry item inside a run: on Windows 95/98/ME every registry archive
// holds its registry file byte for byte (checked with unzip -p); on NT the
// hives in registry.daz open in hivexsh.

#include <gtest/gtest.h>

#include "archive/ZipReader.h"
#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/disk_swapping_ui.h"

namespace backup_test {
namespace {

using testing_support::DiskSwappingProgram;
using testing_support::MachineBuilder;
using testing_support::writeConfig;

struct RegistryCase {
  platform::WindowsVersion version;
  int windowsMode;
};

class RegistryInRun : public ::testing::TestWithParam<RegistryCase> {
 protected:
  // Backs up the Registry alone and returns the set directory.
  std::string backUpRegistry(DiskSwappingProgram& m) {
    writeConfig(m, 1, "C:\\Backups", 3, corvasta::kFullBackup, {0});
    m.ui.expect("Backup Finished", "OK");
    m.start({"schedule", "1"});
    EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
    return m.setting("Backup Directories", "1");
  }
};

TEST_P(RegistryInRun, RegistryFilesAreStoredWhole) {
  if (!testing_support::haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  const RegistryCase& c = GetParam();
  DiskSwappingProgram m{MachineBuilder::sample(c.version).windowsMode(c.windowsMode)};
  const std::string set = backUpRegistry(m);
  archive::TZipReader reader(m.form->core.zipFileSystem);
  int registryFiles = 0;
  for (const std::string& name : m.list(set)) {
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower.size() < 4 || lower.substr(lower.size() - 4) != ".daz") continue;
    reader.SetZipName(set + name);
    reader.ReadDirectory();
    ASSERT_EQ(reader.EntryCount(), 1) << name;
    const std::string source = reader.EntryFolder(0) + reader.EntryName(0);
    const testing_support::CommandResult extracted =
        testing_support::runCommand("unzip -p '" + m.host(set + name).string() + "' 2>/dev/null");
    ASSERT_EQ(extracted.exitCode, 0) << name;
    EXPECT_EQ(extracted.output, m.read(source)) << name << " from " << source;
    ++registryFiles;
  }
  // user0, system and, on ME, classes.
  EXPECT_EQ(registryFiles, c.windowsMode == 3 ? 3 : 2);
}

INSTANTIATE_TEST_SUITE_P(Windows9x, RegistryInRun,
                         ::testing::Values(RegistryCase{platform::WindowsVersion::Win95, 1},
                                           RegistryCase{platform::WindowsVersion::Win98, 2},
                                           RegistryCase{platform::WindowsVersion::WinMe, 3}),
                         [](const ::testing::TestParamInfo<RegistryCase>& info) {
                           return "Mode" + std::to_string(info.param.windowsMode);
                         });

class NtRegistryInRun : public RegistryInRun {};

TEST_P(NtRegistryInRun, HivesInRegistryDazOpenInHivex) {
  if (!testing_support::haveProgram("unzip") || !testing_support::haveProgram("hivexsh"))
    GTEST_SKIP() << "unzip or hivexsh is not installed";
  const RegistryCase& c = GetParam();
  DiskSwappingProgram m{MachineBuilder::sample(c.version).windowsMode(c.windowsMode)};
  const std::string set = backUpRegistry(m);
  ASSERT_TRUE(m.exists(set + "registry.daz"));
  testing_support::TempDir out;
  const testing_support::CommandResult unzipped =
      testing_support::runCommand("unzip -o -j -d '" + out.path().string() + "' '" +
                                  m.host(set + "registry.daz").string() + "'");
  ASSERT_EQ(unzipped.exitCode, 0) << unzipped.output;
  int hives = 0;
  for (const auto& entry : std::filesystem::directory_iterator(out.path())) {
    std::string name = entry.path().filename().string();
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (name == "user.ini" || !entry.is_regular_file()) continue;
    const testing_support::CommandResult listed =
        testing_support::runCommand("echo ls | hivexsh '" + entry.path().string() + "'");
    EXPECT_EQ(listed.exitCode, 0) << name << "\n" << listed.output;
    EXPECT_FALSE(listed.output.empty()) << name;
    ++hives;
  }
  // system, software, SAM, SECURITY, default and the user's hive at least.
  EXPECT_GE(hives, 6);
}

INSTANTIATE_TEST_SUITE_P(WindowsNt, NtRegistryInRun,
                         ::testing::Values(RegistryCase{platform::WindowsVersion::Nt4, 4},
                                           RegistryCase{platform::WindowsVersion::Win2000, 5},
                                           RegistryCase{platform::WindowsVersion::WinXp, 6}),
                         [](const ::testing::TestParamInfo<RegistryCase>& info) {
                           return "Mode" + std::to_string(info.param.windowsMode);
                         });

}  // namespace
}  // namespace backup_test
