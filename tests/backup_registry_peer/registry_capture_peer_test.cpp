// What the registry capture writes, read by other tools: Info-ZIP's unzip
// tests registry.daz and the Windows 98 archives and gives back the
// machine's registry files; hivex opens every saved hive.

#include <gtest/gtest.h>

#include "platform/registry/nt_hive_read.h"
#include "tests/backup_registry/capture_machine.h"
#include "tests/support/registry_file.h"

namespace regcap_test {
namespace {

using testing_support::haveProgram;
using testing_support::runCommand;

std::string quote(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

TEST(RegistryCapturePeer, UnzipAndHivexReadRegistryDaz) {
  if (!haveProgram("unzip") || !haveProgram("hivexsh")) GTEST_SKIP() << "peers missing";
  CaptureProgram m{captureMachine(platform::WindowsVersion::WinXp, 2)};
  m.form->backup.registry.BackupRegistry(0);
  const std::filesystem::path archive = m.host(m.setDir + "registry.daz");
  const auto tested = runCommand("unzip -t " + quote(archive));
  ASSERT_EQ(tested.exitCode, 0) << tested.output;

  const std::filesystem::path out = m.dir / "unzipped";
  const auto unpacked = runCommand("unzip -q -j -o " + quote(archive) + " -d " + quote(out));
  ASSERT_EQ(unpacked.exitCode, 0) << unpacked.output;
  int hives = 0;
  for (const auto& entry : std::filesystem::directory_iterator(out)) {
    if (entry.path().filename() == "user.ini") continue;
    ++hives;
    const auto listed = runCommand("printf 'ls\\n' | hivexsh " + quote(entry.path()));
    ASSERT_EQ(listed.exitCode, 0) << entry.path() << listed.output;
    std::string expected;
    for (const auto& child : testing_support::readNtHiveFile(entry.path()).root.subkeys)
      expected += child.name + "\n";
    EXPECT_EQ(listed.output, expected) << entry.path();
  }
  EXPECT_GE(hives, 9);  // five machine hives, .DEFAULT, the users' and their classes
  EXPECT_TRUE(std::filesystem::exists(out / "user.ini"));
}

TEST(RegistryCapturePeer, UnzipGivesBackWindows98RegistryFiles) {
  if (!haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  CaptureProgram m{captureMachine(platform::WindowsVersion::Win98, 2)};
  m.form->backup.registry.ConfigRunsAutomatically = true;
  m.form->backup.registry.BackupRegistry(0);
  const std::vector<std::string> candidates = m.form->backup.items.profileCandidates("user.dat");
  for (size_t n = 0; n < candidates.size(); ++n) {
    const auto archive = m.host(m.setDir + "user" + std::to_string(n) + ".daz");
    const auto tested = runCommand("unzip -t " + quote(archive));
    EXPECT_EQ(tested.exitCode, 0) << tested.output;
    const auto bytes = runCommand("unzip -p " + quote(archive) + " 2>/dev/null");
    EXPECT_EQ(bytes.output, m.read(candidates[n])) << candidates[n];
  }
  const auto system =
      runCommand("unzip -p " + quote(m.host(m.setDir + "system.daz")) + " 2>/dev/null");
  EXPECT_EQ(system.output, m.read(m.form->core.loc.windowsDir + "system.dat"));
}

}  // namespace
}  // namespace regcap_test
