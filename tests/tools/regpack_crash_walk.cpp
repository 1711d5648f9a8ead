// The walk of one phase of the RegPack sequence on one edition's sample,
// each case a test of its own so that the walks can run side by side.

#include "tests/tools/regpack_crash_walk.h"

namespace regpack_crash_walk {

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

}  // namespace regpack_crash_walk
