// Starts of Windows ended as by kill -9 at each of their file writes and
// renames in turn ([Faults] CrashAfterWrites): with a hive replacement
// pending, the hive's file holds the old hive or the new one at every moment,
// never a part of one or none, and the next start finishes the replacement;
// with the Registry Editor rebuilding the Windows 98 registry in MS-DOS mode,
// system.dat and user.dat stay whole registry files throughout.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/registry/nt_hive_write.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

CommandResult tool(const std::string& command, const std::filesystem::path& machine) {
  return testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " " + command + " " +
                                     shellQuoted(machine.string()));
}

// A process the crash point ended: the shell reports the signal as 128 + 9,
// or the status is no exit at all.
bool killed(const CommandResult& result) {
  return result.exitCode == 128 + 9 || result.exitCode == -1;
}

}  // namespace

TEST(CrashPoints, HiveReplacementKeepsAWholeHiveAtEveryWriteOfTheStart) {
  TempDir temp;
  const std::filesystem::path base = temp / "xp";
  ASSERT_EQ(testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) +
                                        " create --windows xp " + shellQuoted(base.string()))
                .exitCode,
            0);
  std::string config, oldHive, newHive;
  std::filesystem::path hiveInMachine;  // the hive file's host path below the machine folder
  {
    auto machine = platform::Machine::open(base);
    platform::FileSystem files(*machine);
    config = machine->config().systemDirectory + "\\config";
    std::filesystem::path hiveFile = machine->resolve(config + "\\software").host;
    oldHive = readFile(hiveFile);
    hiveInMachine = std::filesystem::relative(hiveFile, machine->folder());
    auto tree = testing_support::readNtHiveFile(hiveFile);
    tree.root.ensurePath("Staged\\By\\Test");
    auto bytes = platform::registry::writeNtHive(tree);
    newHive.assign(bytes.begin(), bytes.end());
    writeFile(hiveFile.parent_path() / "software.new", newHive);
    platform::LiveRegistry registry(*machine, files);
    ASSERT_EQ(registry.replaceKey(platform::HKEY_LOCAL_MACHINE, "SOFTWARE",
                                  config + "\\software.new", config + "\\software.old"),
              platform::WinError::Success);
  }
  const std::string machineIni = readFile(base / "machine.ini");
  const std::filesystem::path run = temp / "run";
  const std::filesystem::path hive = run / hiveInMachine;

  int crashes = 0;
  for (int n = 1;; ++n) {
    ASSERT_LT(n, 500) << "the start never got to its end";
    SCOPED_TRACE("crash at write or rename " + std::to_string(n));
    ASSERT_EQ(
        testing_support::runCommand("rm -rf " + shellQuoted(run.string()) + " && cp -a " +
                                    shellQuoted(base.string()) + " " + shellQuoted(run.string()))
            .exitCode,
        0);
    writeFile(run / "machine.ini",
              machineIni + "\n[Faults]\nCrashAfterWrites=" + std::to_string(n) + "\n");
    CommandResult cut = tool("boot", run);
    bool ended = killed(cut);
    if (!ended) {
      EXPECT_EQ(cut.exitCode, 0) << cut.output;
    }
    std::string left = readFile(hive);
    EXPECT_TRUE(left == oldHive || left == newHive) << "a hive of " << left.size() << " bytes";

    writeFile(run / "machine.ini", machineIni);
    CommandResult again = tool("boot", run);
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_TRUE(readFile(hive) == newHive);
    EXPECT_TRUE(readFile(hive.parent_path() / "software.old") == oldHive);
    EXPECT_FALSE(std::filesystem::exists(hive.parent_path() / "software.new"));
    EXPECT_EQ(testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " reg " +
                                          shellQuoted(run.string()) +
                                          " query 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Staged\\By'")
                  .exitCode,
              0);
    if (!ended) break;
    ++crashes;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(crashes, 3);
}

namespace {

std::string hostPath(const std::filesystem::path& machine, const std::string& winPath) {
  CommandResult result =
      testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " path " +
                                  shellQuoted(machine.string()) + " " + shellQuoted(winPath));
  EXPECT_EQ(result.exitCode, 0) << result.output;
  while (!result.output.empty() && result.output.back() == '\n') result.output.pop_back();
  return result.output;
}

}  // namespace

TEST(CrashPoints, RegistryRebuildInMsDosModeKeepsWholeRegistryFiles) {
  TempDir temp;
  const std::filesystem::path base = temp / "98";
  ASSERT_EQ(testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) +
                                        " create --windows 98 " + shellQuoted(base.string()))
                .exitCode,
            0);
  CommandResult exported = testing_support::runCommand(
      std::string(CORVASTA_MACHINE_TOOL) + " reg " + shellQuoted(base.string()) + " export");
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  writeFile(hostPath(base, "C:\\WINDOWS\\ALL.REG"), exported.output);
  writeFile(hostPath(base, "C:\\AUTOEXEC.BAT"),
            "@C:\\WINDOWS\\REGEDIT.EXE /c C:\\WINDOWS\\ALL.REG\r\n");
  const std::filesystem::path systemDat =
      std::filesystem::relative(hostPath(base, "C:\\WINDOWS\\SYSTEM.DAT"), base);
  const std::filesystem::path userDat =
      std::filesystem::relative(hostPath(base, "C:\\WINDOWS\\USER.DAT"), base);
  const auto systemBefore = testing_support::readWin9xRegistryFile(base / systemDat);
  const auto userBefore = testing_support::readWin9xRegistryFile(base / userDat);
  const std::string machineIni = readFile(base / "machine.ini");
  const std::filesystem::path run = temp / "run";

  int crashes = 0;
  int siblingsLeft = 0;
  for (int n = 1;; ++n) {
    ASSERT_LT(n, 500) << "the start never got to its end";
    SCOPED_TRACE("crash at write or rename " + std::to_string(n));
    ASSERT_EQ(
        testing_support::runCommand("rm -rf " + shellQuoted(run.string()) + " && cp -a " +
                                    shellQuoted(base.string()) + " " + shellQuoted(run.string()))
            .exitCode,
        0);
    writeFile(run / "machine.ini",
              machineIni + "\n[Faults]\nCrashAfterWrites=" + std::to_string(n) + "\n");
    CommandResult cut = tool("boot", run);
    const bool ended = killed(cut);
    if (!ended) {
      EXPECT_EQ(cut.exitCode, 0) << cut.output;
    }
    try {
      EXPECT_EQ(
          platform::registry::describeDifference(
              systemBefore.root, testing_support::readWin9xRegistryFile(run / systemDat).root),
          "");
      EXPECT_EQ(platform::registry::describeDifference(
                    userBefore.root, testing_support::readWin9xRegistryFile(run / userDat).root),
                "");
    } catch (const std::exception& error) {
      ADD_FAILURE() << "a registry file does not load: " << error.what();
    }
    for (const auto& entry : std::filesystem::directory_iterator((run / systemDat).parent_path()))
      if (entry.path().extension() == ".$$$") ++siblingsLeft;
    if (!ended) break;
    ++crashes;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(crashes, 5);
  // Some crashes came while a new registry file was being written.
  EXPECT_GT(siblingsLeft, 0);
}
