// Windows ME end to end: a compressed set of config 1 restored over a damaged
// machine; the registry goes in place through wininit.ini's Rename section
// at the next start of Windows.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

struct MeRestore : ::testing::Test {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
};

TEST_F(MeRestore, CompressedSetPutsEverythingBackAfterTheRestart) {
  const std::string set = backUpConfig1(m, 1);
  ASSERT_TRUE(m.exists(set + "win.inz")) << "the set holds win.ini";
  ASSERT_TRUE(m.exists(set + "system.inz"));
  const std::vector<std::string> files = watchedFiles(m);
  const auto before = snapshot(m, files);
  damage(m);

  m.ui.expect("files restored", "OK");
  restoreAll(m, set + "user0.daz", set + "system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string wininit = windows + "wininit.ini";
  ASSERT_TRUE(m.exists(wininit));
  EXPECT_NE(m.profileString(wininit, "Rename",
                            corvasta::ShortFileName(*m.machine, windows + "system.dat")),
            "@");
  // Until the restart the damaged registry stays; the files do not wait.
  EXPECT_EQ(m.read(windows + "SYSTEM.DAT"), "broken registry");
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");

  m.restartWindows({});
  EXPECT_EQ(snapshot(m, files), before);
  for (const char* name : {"system", "classes"})
    EXPECT_EQ(m.read(windows + name + ".dat"), setRegistryFile(m, set, name)) << name;
  EXPECT_EQ(m.read(windows + "user.dat"), setRegistryFile(m, set, "user0"));
  EXPECT_FALSE(m.exists(wininit));
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
  EXPECT_FALSE(m.exists("C:\\Temp\\user.dat"));
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find(">>> Restore of " + set + "user0.daz started at"), std::string::npos) << log;
  EXPECT_NE(log.find("   Other Files files checked to Restore"), std::string::npos);
}

TEST_F(MeRestore, NothingSelectedEndsTheRunAtOnce) {
  const std::string set = backUpConfig1(m, 1);
  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->core.winCrash = m.form->core.winUsers = false;
  m.form->core.userFiles = m.form->core.otherFiles = false;
  m.ui.expect("Nothing is selected to restore.", "OK");
  m.form->restore.run.RunRestore(set + "user0.daz", set + "system.daz");
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(m.form->core.loc.windowsDir + "wininit.ini"));
}

}  // namespace
}  // namespace restore_test
