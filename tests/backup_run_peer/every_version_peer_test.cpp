// A compressed backup of config 1 on the sample of every Windows version, in
// its edition's mode: the set holds the compressed names, and Info-ZIP's
// unzip accepts every archive in it.

#include <gtest/gtest.h>

#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/disk_swapping_ui.h"

namespace backup_test {
namespace {

using testing_support::DiskSwappingProgram;
using testing_support::kSample9xWinConfig;
using testing_support::kSampleNtWinConfig;
using testing_support::MachineBuilder;
using testing_support::writeConfig;

struct VersionCase {
  platform::WindowsVersion version;
  int windowsMode;
  std::vector<std::string> archives;  // lower case, sorted
};

class EveryVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(EveryVersion, CompressedSetPassesUnzipTest) {
  if (!testing_support::haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  const VersionCase& c = GetParam();
  DiskSwappingProgram m{MachineBuilder::sample(c.version).windowsMode(c.windowsMode)};
  const bool nt = c.windowsMode >= 4;
  writeConfig(m, 1, "C:\\Backups", 3, corvasta::kFullBackup,
              nt ? kSampleNtWinConfig : kSample9xWinConfig);
  m.ui.expect("Backup Finished", "OK");
  m.start({"schedule", "1"});
  ASSERT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();

  const std::string set = m.setting("Backup Directories", "1");
  std::vector<std::string> names;
  for (const std::string& name : m.list(set)) {
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    names.push_back(lower);
    const testing_support::CommandResult result =
        testing_support::runCommand("unzip -t '" + m.host(set + name).string() + "'");
    EXPECT_EQ(result.exitCode, 0) << name << "\n" << result.output;
    EXPECT_NE(result.output.find("No errors detected"), std::string::npos) << result.output;
  }
  EXPECT_EQ(names, c.archives);
}

const std::vector<std::string> k9xArchives{"autoexec.baz", "command.coz", "config.syz",
                                           "io.syz",       "msdos.syz",   "system.cbz"};
const std::vector<std::string> kNtArchives{"autoexec.ntz", "boot.inz",     "cmd.exz",
                                           "config.ntz",   "ntdetect.coz", "ntldr.--z"};

INSTANTIATE_TEST_SUITE_P(
    Samples, EveryVersion,
    ::testing::Values(VersionCase{platform::WindowsVersion::Win95, 1, k9xArchives},
                      VersionCase{platform::WindowsVersion::Win98, 2, k9xArchives},
                      VersionCase{platform::WindowsVersion::WinMe, 3, k9xArchives},
                      VersionCase{platform::WindowsVersion::Nt4, 4, kNtArchives},
                      VersionCase{platform::WindowsVersion::Win2000, 5, kNtArchives},
                      VersionCase{platform::WindowsVersion::WinXp, 6, kNtArchives}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      return "Mode" + std::to_string(info.param.windowsMode);
    });

}  // namespace
}  // namespace backup_test
