// Quick RegPack: the undo copies made in Windows and the registry checker,
// through a three-line batch (Windows 98) or started from Windows (ME); and
// the build of the Registry Editor that the Expanded RegPack needs.

#include <gtest/gtest.h>

#include "app/core/TextLines.h"
#include "platform/profile/ini_file.h"
#include "regpack/RegistryEditorVersion.h"
#include "tests/regpack_win9x/regpack_scenario.h"
#include "tests/support/registry_editor_file.h"

namespace regpack_test {
namespace {

TEST(QuickRegPack, Win98MakesTheUndoCopiesAndLeavesTheRebuildToTheChecker) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  ASSERT_TRUE(m.start());
  const std::string w = s.windows();
  const std::vector<std::string> files = registryFiles(m);
  const std::set<std::string> before = registryLines(m, files);
  // No attrib.exe, no Registry Editor build: neither is looked at.
  m.files->deleteFile(w + "Command\\attrib.exe");
  testing_support::writeRegistryEditor(*m.files, {4, 10, 0, 1000});

  m.ui.expect("If the screen goes blank", "Yes");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(w + "all.reg"));
  EXPECT_EQ(
      corvasta::splitLines(m.read(s.program() + "startwin.bat")),
      (std::vector<std::string>{"@" + w + "command\\scanreg /fix ",
                                "@echo Please disregard the following Batch file missing error.",
                                "del startwin.bat"}));
  EXPECT_EQ(m.read(w + "system.zzz"), m.read(m.form->core.loc.winbootdir + "system.dat"));
  EXPECT_EQ(m.read(w + "user.zzz"), m.read(w + "user.dat"));
  for (const char* folder : {"Anna", "Bruno", "Owner"}) {
    const std::string pd = w + "Profiles\\" + folder + "\\";
    EXPECT_EQ(m.read(pd + "user.zzz"), m.read(pd + "user.dat")) << folder;
  }
  EXPECT_EQ(m.setting("Bootup", "Action"), "1");

  m.restartWindows({});
  EXPECT_FALSE(m.exists(s.program() + "startwin.bat")) << m.bootLog;
  EXPECT_NE(m.bootLog.find("scanreg"), std::string::npos) << m.bootLog;
  EXPECT_EQ(registryLines(m, files), before);
}

TEST(QuickRegPack, WindowsMeScheduledRunsTheCheckerAtOnceWithoutRestarting) {
  Win9xMachine s(platform::WindowsVersion::WinMe);
  testing_support::TestProgram& m = *s.m;
  ASSERT_TRUE(m.start({"schedule", "R"}));
  EXPECT_TRUE(m.ui.finished());
  const std::string w = s.windows();
  EXPECT_EQ(m.read(w + "classes.zzz"), m.read(w + "classes.dat"));
  EXPECT_TRUE(m.exists(w + "system.zzz"));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  EXPECT_EQ(m.setting("Bootup", "Action"), "@");
  EXPECT_FALSE(m.exists(s.program() + "startwin.bat"));
  EXPECT_TRUE(m.form->core.CloseAfterRun);
  EXPECT_NE(m.read(s.program() + "results.txt").find("<<< RegPack Completed - "),
            std::string::npos);
}

TEST(RegistryEditorBuild, BelowBuild1111TheExpandedRegPackStopsWithTheDownloadMessage) {
  Win9xMachine s(platform::WindowsVersion::Win95);
  testing_support::TestProgram& m = *s.m;
  ASSERT_TRUE(m.start());
  const std::string regedit = s.windows() + "regedit.exe";
  EXPECT_EQ(corvasta::GetVer(*m.files, regedit), "1111");

  testing_support::writeRegistryEditor(*m.files, {4, 0, 0, 1110});
  EXPECT_EQ(corvasta::GetVer(*m.files, regedit), "1110");
  m.ui.expect("download a new Regedit", "OK");
  m.ui.expect("not available", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(s.windows() + "all.reg"));

  // A file that is no program, or none at all, has build "0".
  m.write(regedit, std::string("MZ") + std::string(200, '\x7f'));
  EXPECT_EQ(corvasta::GetVer(*m.files, regedit), "0");
  m.ui.expect("download a new Regedit", "OK");
  m.ui.expect("not available", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(corvasta::GetVer(*m.files, s.windows() + "none.exe"), "0");

  testing_support::writeRegistryEditor(*m.files, {4, 0, 0, 1111});
  m.ui.expect("RegPack must restart Windows", "No");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.exists(s.windows() + "all.reg"));
}

}  // namespace
}  // namespace regpack_test
