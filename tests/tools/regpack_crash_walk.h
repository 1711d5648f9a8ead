#pragma once
// The crash walks over RegPack, the start of Windows that finishes it, Undo
// RegPack and the start after that: a sample machine, the sequence run once
// without faults (the machine folder kept after each phase), and a walk of
// the crash point over one phase. The editions' cases are instantiated by
// tests/tools/regpack_crash_points_test.cpp (Windows 98) and
// tests/regpack_crash_walks/ (Windows XP, label slow).

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/registry/registry_tree.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/crash_walk.h"

namespace regpack_crash_walk {

using crash_walk::cutShort;
using crash_walk::hostPath;
using crash_walk::machineTool;
using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

namespace fs = std::filesystem;
using platform::registry::RegistryTree;

// The walks write a machine folder a thousand times and more: a RAM-backed
// folder, where the host has one, spares the disk their fsyncs.
inline fs::path walkParent() {
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
// The case by its name in test listings.
inline void PrintTo(const WalkCase& walkCase, std::ostream* out) {
  *out << walkCase.name;
}

class RegPackCrashWalkPhase : public RegPackCrashWalk,
                              public ::testing::WithParamInterface<WalkCase> {};

}  // namespace regpack_crash_walk
