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
#include "tests/tools/crash_walk.h"

using crash_walk::hostPath;
using crash_walk::machineTool;
using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

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
  const std::filesystem::path hive = temp / "run" / hiveInMachine;

  crash_walk::Walk walk;
  walk.prepared = base;
  walk.run = temp / "run";
  walk.operation = [](const std::filesystem::path& run) {
    return crash_walk::cutShort(machineTool("boot", run));
  };
  walk.check = [&](const std::filesystem::path& run, bool) {
    std::string left = readFile(hive);
    EXPECT_TRUE(left == oldHive || left == newHive) << "a hive of " << left.size() << " bytes";
    CommandResult again = machineTool("boot", run);
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_TRUE(readFile(hive) == newHive);
    EXPECT_TRUE(readFile(hive.parent_path() / "software.old") == oldHive);
    EXPECT_FALSE(std::filesystem::exists(hive.parent_path() / "software.new"));
    EXPECT_EQ(testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " reg " +
                                          shellQuoted(run.string()) +
                                          " query 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Staged\\By'")
                  .exitCode,
              0);
  };
  const int crashes = crash_walk::walkCrashPoints(walk);
  EXPECT_GT(crashes, 3);
}

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
  int siblingsLeft = 0;
  crash_walk::Walk walk;
  walk.prepared = base;
  walk.run = temp / "run";
  walk.operation = [](const std::filesystem::path& run) {
    return crash_walk::cutShort(machineTool("boot", run));
  };
  walk.check = [&](const std::filesystem::path& run, bool) {
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
  };
  const int crashes = crash_walk::walkCrashPoints(walk);
  EXPECT_GT(crashes, 5);
  // Some crashes came while a new registry file was being written.
  EXPECT_GT(siblingsLeft, 0);
}
