// Expanded RegPack end to end on Windows 95 and 98 samples: the exports in
// Windows, startwin.bat, the restart by either hand-off method, the batch in
// MS-DOS mode, and the next start of the program.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/TextLines.h"
#include "tests/regpack_win9x/regpack_scenario.h"

namespace regpack_test {
namespace {

using corvasta::splitLines;

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ExpandedRegPack, Win98FromTheButtonThroughThePifMethodKeepsEveryKeyAndValue) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  ASSERT_TRUE(m.start());
  const std::vector<std::string> files = registryFiles(m);
  ASSERT_EQ(files.size(), 5u);  // system.dat, user.dat and three profiles
  const std::set<std::string> before = registryLines(m, files);
  const std::string w = s.windows();
  const std::string user = m.form->core.loc.userDir;

  m.ui.expect("If the screen goes blank", "Yes");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  for (const std::string& file : {w + "all.reg", user + "HKLM.reg", user + "HKU.reg"}) {
    ASSERT_TRUE(m.exists(file)) << file;
    EXPECT_EQ(m.read(file).substr(0, 8), "REGEDIT4") << file;
  }
  const std::string batchFile = s.program() + "startwin.bat";
  const std::string batch = m.read(batchFile);
  EXPECT_NE(batch.find("@smartdrv\r\n@set pasval=false\r\n"), std::string::npos);
  const std::vector<std::string> lines = splitLines(batch);
  EXPECT_TRUE(hasLine(lines, "@pause"));
  EXPECT_TRUE(hasLine(lines, ":cont3"));
  EXPECT_FALSE(hasLine(lines, ":cont4"));
  EXPECT_EQ(lines.back(), "@del startwin.bat");
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  EXPECT_EQ(m.setting("Bootup", "Action"), "1");
  EXPECT_EQ(m.setting("AutoCompact", "switch"), "0");
  const std::string results = m.read(s.program() + "results.txt");
  const size_t started = results.find(">>> RegPack started at ");
  ASSERT_NE(started, std::string::npos);
  EXPECT_NE(results.find("<<< RegPack Completed - ", started), std::string::npos);
  EXPECT_FALSE(m.form->core.RegistryBusy);
  EXPECT_FALSE(m.form->core.CloseAfterRun);

  m.restartWindows({});
  EXPECT_FALSE(m.exists(batchFile)) << m.bootLog;
  EXPECT_EQ(registryLines(m, files), before) << m.bootLog;
  EXPECT_TRUE(m.exists(m.form->core.loc.winbootdir + "system.zzz"));
  for (const char* folder : {"Anna", "Bruno", "Owner"})
    EXPECT_TRUE(m.exists(w + "Profiles\\" + folder + "\\user.zzz")) << folder;
  for (const std::string& scratch :
       {w + "compact.reg", w + "junkuser.dat", w + "userreg.reg", user + "HKLM.reg"})
    EXPECT_FALSE(m.exists(scratch)) << scratch;
  EXPECT_TRUE(m.exists(w + "all.reg"));

  // The next start opens the RegPack tab, stays open, and announces the
  // reduction once.
  ASSERT_TRUE(m.start({"after"}));
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
  EXPECT_EQ(m.form->activeTab, corvasta::kRegPackTab);
  EXPECT_TRUE(m.form->core.requests.start);
  m.form->MakeMarqueeText();
  EXPECT_NE(m.form->MarqueeText.find("RegPack was just completed"), std::string::npos);
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "0");
  m.form->MakeMarqueeText();
  EXPECT_EQ(m.form->MarqueeText.find("RegPack was just completed"), std::string::npos);
}

TEST(ExpandedRegPack, FreeSpaceInTheRegistryFilesIsDroppedAndTheReductionAnnounced) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  const std::string w = s.windows();
  const std::string system = m.form->core.loc.winbootdir + "system.dat";
  const std::string anna = w + "Profiles\\Anna\\user.dat";
  const std::vector<std::string> files = registryFiles(m);
  const std::set<std::string> compact = registryLines(m, files);
  const uint64_t systemCompact = m.read(system).size();
  const uint64_t annaCompact = m.read(anna).size();
  addFreeDataBlock(m, system, 0x10000);
  addFreeDataBlock(m, w + "user.dat", 0x8000);
  addFreeDataBlock(m, anna, 0x8000);
  const uint64_t systemPadded = m.read(system).size();
  ASSERT_EQ(systemPadded, systemCompact + 0x10000);
  m.restartProgram();
  ASSERT_EQ(registryLines(m, files), compact);
  ASSERT_TRUE(m.start());
  m.ui.expect("RegPack must restart Windows", "Yes");
  m.form->CompactClick();
  m.restartWindows({});
  EXPECT_EQ(registryLines(m, files), compact) << m.bootLog;
  EXPECT_LE(m.read(system).size(), systemCompact + 0x1000);
  EXPECT_LE(m.read(anna).size(), annaCompact + 0x1000);
  EXPECT_LT(m.read(system).size(), systemPadded);
  ASSERT_TRUE(m.start({"after"}));
  m.form->MakeMarqueeText();
  EXPECT_EQ(m.form->MarqueeText.find("reduced the registry by 0kb"), std::string::npos)
      << m.form->MarqueeText;
  EXPECT_NE(m.form->MarqueeText.find("RegPack was just completed and reduced the registry by"),
            std::string::npos)
      << m.form->MarqueeText;
}

TEST(ExpandedRegPack, NoAtTheQuestionLeavesTheExportsAndWritesNoBatch) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  ASSERT_TRUE(m.start());
  const std::string autoexec = m.read("C:\\AUTOEXEC.BAT");
  m.ui.expect("RegPack must restart Windows", "No");
  m.form->CompactClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.exists(s.windows() + "all.reg"));
  EXPECT_FALSE(m.exists(s.program() + "startwin.bat"));
  EXPECT_FALSE(m.exists("C:\\startwin.bat"));
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "@");
  EXPECT_EQ(m.setting("Bootup", "Action"), "@");
  EXPECT_EQ(m.setting("AutoCompact", "switch"), "0");
}

TEST(ExpandedRegPack, Win95ScheduledThroughAutoexecAsksNothingAndCleanRestoresAutoexec) {
  const std::string program = consoleProgram();
  if (program.empty()) GTEST_SKIP() << "corvasta is not built";
  Win9xMachine s(platform::WindowsVersion::Win95);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("BackupPreferences1", "WindowsRestart", "1");
  const std::string root = "C:\\";
  const std::string autoexecBefore = m.read(root + "AUTOEXEC.BAT");
  const std::vector<std::string> files = registryFiles(m);
  const std::set<std::string> before = registryLines(m, files);

  ASSERT_TRUE(m.start({"schedule", "R"}));
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.setting("Bootup", "Action"), "2");
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  EXPECT_TRUE(m.form->core.CloseAfterRun);
  EXPECT_FALSE(m.form->core.requests.regPack);
  const std::vector<std::string> batch = splitLines(m.read(root + "startwin.bat"));
  EXPECT_TRUE(hasLine(batch, "if \"%pasval%\"==\"true\" pause"));
  EXPECT_FALSE(hasLine(batch, "@pause"));
  const std::vector<std::string> autoexec = splitLines(m.read(root + "AUTOEXEC.BAT"));
  const auto call = std::find(autoexec.begin(), autoexec.end(), root + "startwin.bat");
  ASSERT_NE(call, autoexec.end());
  ASSERT_NE(call + 1, autoexec.end());
  EXPECT_EQ(*(call + 1), "del " + root + "startwin.bat");
  const std::string cleanup = m.startup() + "cleanup.lnk";
  EXPECT_EQ(m.form->core.CheckParameters(cleanup),
            "clean \"" + root + "startwin.bat\" " + root + "autoexec.bat");

  m.restartWindows({}, program);
  EXPECT_EQ(registryLines(m, files), before) << m.bootLog;
  EXPECT_FALSE(m.exists(root + "startwin.bat"));
  EXPECT_FALSE(m.exists(cleanup)) << m.bootLog;
  EXPECT_EQ(m.read(root + "AUTOEXEC.BAT"), autoexecBefore);
  // The logon's "clean" start has seen the finished RegPack.
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
}

TEST(ExpandedRegPack, WithoutProfilesTheDefaultRegistryFallsBackToTheHklmAndHkuExports) {
  Win9xMachine s(platform::WindowsVersion::Win98, 0);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  ASSERT_TRUE(m.start());
  const std::string w = s.windows();
  ASSERT_EQ(m.form->core.loc.userDir, w);
  const std::vector<std::string> files = registryFiles(m);
  const std::set<std::string> before = registryLines(m, files);
  m.ui.expect("RegPack must restart Windows", "Yes");
  m.form->CompactClick();
  const std::vector<std::string> batch = splitLines(m.read(s.program() + "startwin.bat"));
  EXPECT_TRUE(hasLine(batch, "@" + w + "regedit /c " + w + "HKLM.reg"));
  EXPECT_TRUE(hasLine(batch, "@if exist " + w + "HKU.reg del " + w + "HKU.reg"));
  EXPECT_FALSE(hasLine(batch, ":export1"));
  EXPECT_TRUE(m.exists(w + "HKLM.reg"));

  m.restartWindows({});
  EXPECT_EQ(registryLines(m, files), before) << m.bootLog;
  EXPECT_FALSE(m.exists(w + "HKLM.reg"));
  EXPECT_FALSE(m.exists(w + "HKU.reg"));
}

TEST(ExpandedRegPack, AProfileFolderWithoutUserDatTakesNoNumber) {
  Win9xMachine s(platform::WindowsVersion::Win98);
  testing_support::TestProgram& m = *s.m;
  m.setSetting("RegPack", "Mode", "1");
  const std::string w = s.windows();
  ASSERT_TRUE(m.start());
  m.files->setFileAttributes(w + "Profiles\\Bruno\\user.dat", platform::kAttributeNormal);
  m.files->deleteFile(w + "Profiles\\Bruno\\user.dat");
  m.ui.expect("RegPack must restart Windows", "Yes");
  m.form->CompactClick();
  const std::vector<std::string> batch = splitLines(m.read(s.program() + "startwin.bat"));
  const auto owner =
      std::find(batch.begin(), batch.end(), "@echo    Backing up Owner User Registry");
  ASSERT_NE(owner, batch.end());
  EXPECT_NE(std::find(owner, batch.end(), ":export2"), batch.end());
  EXPECT_FALSE(hasLine(batch, "@echo    Backing up Bruno User Registry"));
  EXPECT_FALSE(hasLine(batch, ":export3"));
}

}  // namespace
}  // namespace regpack_test
