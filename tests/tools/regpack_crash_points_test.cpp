// RegPack, the start of Windows that finishes it, Undo RegPack and the start
// after that, run as processes with each of them ended as by kill -9 at every
// one of its file writes and renames in turn ([Faults] CrashAfterWrites).
// After each cut and one more start of Windows without faults, every registry
// file of the machine loads and holds the keys of before the RegPack or of
// after it: never a missing, half-written or half-rebuilt file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/registry/registry_tree.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/crash_walk.h"

using crash_walk::cutShort;
using crash_walk::hostPath;
using crash_walk::machineTool;
using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

namespace fs = std::filesystem;
using platform::registry::RegistryTree;

// The walks write a machine folder a thousand times and more: a RAM-backed
// folder, where the host has one, spares the disk their fsyncs.
fs::path walkParent() {
  std::error_code error;
  if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}

// The registry files of a machine as paths below its folder, with the keys
// they held at two moments.
struct RegistryFile {
  fs::path inMachine;
  RegistryTree before;
  RegistryTree after;
};

class RegPackCrashWalk : public ::testing::Test {
 protected:
  // Creates the machine and lists its registry files (Windows paths).
  void create(const std::string& windows, const std::vector<std::string>& createOptions) {
    edition_ = windows;
    std::string command = std::string(CORVASTA_MACHINE_TOOL) + " create --windows " + windows;
    for (const std::string& option : createOptions) command += " " + shellQuoted(option);
    CommandResult created =
        testing_support::runCommand(command + " " + shellQuoted(base().string()));
    ASSERT_EQ(created.exitCode, 0) << created.output;
    writeFile(temp_ / "answers.txt", "Continue => Yes\n");
  }

  fs::path base() const { return temp_ / "machine"; }
  fs::path stage(int phase) const { return temp_ / ("after" + std::to_string(phase)); }

  void addRegistryFile(const std::string& winPath) {
    fs::path host = hostPath(base(), winPath);
    ASSERT_TRUE(fs::exists(host)) << winPath;
    files_.push_back({fs::relative(host, base()), {}, {}});
  }
  // Every folder below `winFolder` that holds `name`.
  void addProfileFiles(const std::string& winFolder, const std::string& name) {
    for (const auto& entry : fs::directory_iterator(hostPath(base(), winFolder)))
      if (entry.is_directory())
        for (const auto& file : fs::directory_iterator(entry.path()))
          if (platform::ansiLower(file.path().filename().string()) == name)
            files_.push_back({fs::relative(file.path(), base()), {}, {}});
  }

  RegistryTree load(const fs::path& file) const {
    return nt_ ? testing_support::readNtHiveFile(file)
               : testing_support::readWin9xRegistryFile(file);
  }

  CommandResult corvasta(const fs::path& machine, const std::string& button) const {
    return testing_support::runProgram(
        CORVASTA_PROGRAM, {"--console", "--machine", machine.string(), "--edition", edition_,
                           "--answers", (temp_ / "answers.txt").string(), "--open", button});
  }
  // Phase 1 to 4 of the sequence on `machine`: true when its process was killed.
  bool runPhase(int phase, const fs::path& machine) const {
    switch (phase) {
      case 1:
        return cutShort(corvasta(machine, "regpack"));
      case 3:
        return cutShort(corvasta(machine, "undo-regpack"));
      default:
        return cutShort(machineTool("boot", machine));
    }
  }

  // The whole sequence once without faults, keeping the machine folder after
  // each phase, and the registry's keys before the RegPack and after it.
  void prepareStages() {
    for (RegistryFile& file : files_) file.before = load(base() / file.inMachine);
    fs::path from = base();
    for (int phase = 1; phase <= 4; ++phase) {
      ASSERT_EQ(testing_support::runCommand("cp -a " + shellQuoted(from.string()) + " " +
                                            shellQuoted(stage(phase).string()))
                    .exitCode,
                0);
      ASSERT_FALSE(runPhase(phase, stage(phase)));
      if (phase == 2)
        for (RegistryFile& file : files_) file.after = load(stage(phase) / file.inMachine);
      from = stage(phase);
    }
    // Undo RegPack and its start bring back the keys of before.
    for (const RegistryFile& file : files_)
      EXPECT_EQ(platform::registry::describeDifference(file.before.root,
                                                       load(stage(4) / file.inMachine).root),
                "")
          << file.inMachine;
  }

  // Each registry file loads and holds the keys of before or of after.
  void expectWholeRegistry(const fs::path& machine) const {
    for (const RegistryFile& file : files_) {
      try {
        RegistryTree now = load(machine / file.inMachine);
        const std::string fromBefore =
            platform::registry::describeDifference(file.before.root, now.root);
        const std::string fromAfter =
            platform::registry::describeDifference(file.after.root, now.root);
        EXPECT_TRUE(fromBefore.empty() || fromAfter.empty())
            << file.inMachine << " holds other keys: " << fromBefore;
      } catch (const std::exception& error) {
        ADD_FAILURE() << file.inMachine << " does not load: " << error.what();
      }
    }
  }

  // Walks the crash point over one phase, each run starting from the
  // machine as the phases before it left it; returns its crashes.
  int walkPhase(int phase) {
    crash_walk::Walk walk;
    walk.prepared = phase == 1 ? base() : stage(phase - 1);
    walk.run = temp_ / "run";
    walk.limit = 2000;
    walk.operation = [this, phase](const fs::path& run) { return runPhase(phase, run); };
    walk.check = [this](const fs::path& run, bool) {
      EXPECT_EQ(machineTool("boot", run).exitCode, 0);
      expectWholeRegistry(run);
    };
    return crash_walk::walkCrashPoints(walk);
  }

  TempDir temp_{walkParent()};
  std::string edition_;
  bool nt_ = false;
  std::vector<RegistryFile> files_;
};

// One phase of the sequence on one edition's sample: each is a test of its
// own, so that the walks (hundreds of runs each) can run side by side.
struct WalkCase {
  const char* name;
  bool nt;
  int phase;
};

class RegPackCrashWalkPhase : public RegPackCrashWalk,
                              public ::testing::WithParamInterface<WalkCase> {};

TEST_P(RegPackCrashWalkPhase, KeepsWholeRegistryFilesAtEveryWrite) {
  const WalkCase walkCase = GetParam();
  nt_ = walkCase.nt;
  if (nt_) {
    create("xp", {});
    for (const char* hive : {"system", "software", "sam", "security", "default"})
      addRegistryFile(std::string("C:\\WINDOWS\\system32\\config\\") + hive);
    addProfileFiles("C:\\Documents and Settings", "ntuser.dat");
    ASSERT_GT(files_.size(), 5u);
  } else {
    // Expanded RegPack; one profile, the logged-on user's, keeps the walk
    // to a few hundred runs a phase.
    create("98", {"--users", "1"});
    const fs::path settings = hostPath(base(), "C:\\Program Files\\Corvasta\\vastel.ini");
    writeFile(settings, readFile(settings) + "[RegPack]\r\nMode=1\r\n");
    addRegistryFile("C:\\WINDOWS\\SYSTEM.DAT");
    addRegistryFile("C:\\WINDOWS\\USER.DAT");
    addProfileFiles("C:\\WINDOWS\\Profiles", "user.dat");
    ASSERT_EQ(files_.size(), 3u);
  }
  // The program has run on the machine before: its settings are there.
  ASSERT_EQ(testing_support::runProgram(CORVASTA_PROGRAM, {"--console", "--machine",
                                                           base().string(), "--edition", edition_})
                .exitCode,
            0);
  prepareStages();
  ASSERT_FALSE(HasFailure());
  // The RegPack ran: its undo copies are there.
  ASSERT_TRUE(fs::exists(
      hostPath(stage(2), nt_ ? "C:\\WINDOWS\\registry.zzz" : "C:\\WINDOWS\\SYSTEM.ZZZ")));

  const auto started = std::chrono::steady_clock::now();
  EXPECT_GT(walkPhase(walkCase.phase), 3);
  RecordProperty("walk_seconds", std::to_string(std::chrono::duration_cast<std::chrono::seconds>(
                                                    std::chrono::steady_clock::now() - started)
                                                    .count()));
}

// Phases: 1 RegPack in Windows, 2 the start that finishes it, 3 Undo RegPack
// in Windows, 4 the start that finishes that.
INSTANTIATE_TEST_SUITE_P(
    Sequence, RegPackCrashWalkPhase,
    ::testing::Values(WalkCase{"Win98RegPack", false, 1}, WalkCase{"Win98Boot", false, 2},
                      WalkCase{"Win98UndoRegPack", false, 3}, WalkCase{"Win98UndoBoot", false, 4},
                      WalkCase{"XpRegPack", true, 1}, WalkCase{"XpBoot", true, 2},
                      WalkCase{"XpUndoRegPack", true, 3}, WalkCase{"XpUndoBoot", true, 4}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
