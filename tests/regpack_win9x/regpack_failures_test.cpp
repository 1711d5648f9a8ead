// What stops a Windows 95/98/ME RegPack before anything is changed: missing
// DOS support files, a registry file that cannot be read, an export that
// fails, an undo copy that cannot be made.

#include <gtest/gtest.h>

#include "tests/regpack_win9x/regpack_scenario.h"

namespace regpack_test {
namespace {

// Nothing was prepared for MS-DOS mode and no RegPack is recorded as done.
void expectNothingPending(testing_support::TestProgram& m, const std::string& program) {
  EXPECT_FALSE(m.exists(program + "startwin.bat"));
  EXPECT_FALSE(m.exists("C:\\startwin.bat"));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "@");
  EXPECT_EQ(m.setting("Bootup", "Action"), "@");
  EXPECT_FALSE(m.form->core.RegistryBusy);
}

TEST(RegPackStops, MissingSupportFilesAreNamed) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  ASSERT_TRUE(m.start());
  m.files->deleteFile(s.program() + "startwin.pif");
  m.ui.expect("Startwin.bat is not properly setup", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  expectNothingPending(m, s.program());

  m.files->deleteFile(s.program() + "command.pif");
  m.ui.expect("Command.pif missing", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(s.windows() + "all.reg"));
}

TEST(RegPackStops, AnExportThatFailsIsNamedBeforeAnyBatchOrRestart) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  ASSERT_TRUE(m.start());
  // The Registry Editor cannot write its export where a folder has the name.
  const std::string blocked = m.form->core.loc.userDir + "HKU.reg";
  m.files->createDirectory(blocked);
  m.ui.expect("could not be exported to " + blocked, "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  expectNothingPending(m, s.program());
  EXPECT_NE(m.read(s.program() + "results.txt").find("<<< RegPack not successful - "),
            std::string::npos);
}

TEST(RegPackStops, AnUndoCopyThatCannotBeMadeStopsBeforeTheChecker) {
  Win9xMachine s(platform::WindowsVersion::WinMe, 0);
  testing_support::TestProgram& m = *s.m;
  ASSERT_TRUE(m.start());
  const std::string w = s.windows();
  m.files->createDirectory(w + "user.zzz");
  m.ui.expect("The undo copy " + w + "user.zzz could not be made", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  expectNothingPending(m, s.program());
  EXPECT_FALSE(m.exists(w + "classes.zzz"));
}

TEST(RegPackStops, ARegistryFileThatDoesNotParseIsNamedAndNothingChanges) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  ASSERT_TRUE(m.start());
  const std::string anna = s.windows() + "Profiles\\Anna\\user.dat";
  m.writeOnHost(anna, "CREG and then nothing a registry file holds");
  m.ui.expect("RegPack cannot rebuild " + anna, "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  expectNothingPending(m, s.program());
  EXPECT_FALSE(m.exists(s.windows() + "system.zzz"));
  EXPECT_FALSE(m.exists(s.windows() + "Profiles\\Owner\\user.zzz"));
}

TEST(RegPackStops, ABatchFileThatCannotBeWrittenLeavesNoHalfHandOff) {
  Win9xMachine s(platform::WindowsVersion::Win95);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("BackupPreferences1", "WindowsRestart", "1");
  ASSERT_TRUE(m.start());
  const std::string autoexec = m.read("C:\\AUTOEXEC.BAT");
  m.files->createDirectory("C:\\startwin.bat");
  m.ui.expect("RegPack must restart Windows", "Yes");
  m.ui.expect("RegPack could not prepare the restart", "OK");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_FALSE(m.exists(m.startup() + "cleanup.lnk"));
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "0");
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
  EXPECT_FALSE(m.form->core.CloseAfterRun);
}

}  // namespace
}  // namespace regpack_test
