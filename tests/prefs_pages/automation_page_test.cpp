// The Automation page: FreqClick's five steps (Freq stored at once, the
// Startup shortcut, the date of a first choice, the scheduler's job file, the
// changed dialog), its labels and disabled lists, the pause, and the
// installer's "Daily" answer doing the same.

#include <gtest/gtest.h>

#include "tests/prefs_pages/pages_rig.h"
#include "tests/support/temp_dir.h"

namespace prefs_pages_test {
namespace {

using platform::WindowsVersion;

constexpr int kDaily = 0, kWeekly = 1, kUseScheduler = 4, kDoNotPerform = 5;

struct AutomationPageTest : ::testing::TestWithParam<WindowsVersion> {
  SampleProgram s{GetParam()};
  std::string startupLink() const { return s.core.loc.startupDir + "Corvasta.lnk"; }
  std::string jobFile() const { return s.core.loc.windowsDir + "Tasks\\Corvasta.job"; }
  void allLists(int entry) {
    for (size_t list = 0; list < 5; ++list) s.automation.FreqClick(list, entry);
  }
};

TEST_P(AutomationPageTest, DoNotPerformRemovesTheShortcutAndWeeklyMakesItAgain) {
  allLists(kDoNotPerform);
  EXPECT_FALSE(s.m.exists(startupLink()));
  s.automation.FreqClick(2, kWeekly);  // config 2 has no target: its list is disabled
  EXPECT_FALSE(s.m.exists(startupLink()));
  s.automation.FreqClick(1, kWeekly);
  ASSERT_TRUE(s.m.exists(startupLink()));
  EXPECT_EQ(s.core.CheckParameters(startupLink()), "bootup");
  EXPECT_EQ(s.core.CheckTarget(startupLink()), s.core.ProgramPath());
  EXPECT_EQ(s.m.setting("AutoBackup", "Freq"), "1");
  EXPECT_EQ(s.m.setting("AutoBackup2", "Freq"), "@");  // the disabled list wrote nothing

  if (!testing_support::haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo is not installed";
  const auto info =
      testing_support::runCommand("lnkinfo '" + s.m.host(startupLink()).string() + "'");
  ASSERT_EQ(info.exitCode, 0) << info.output;
  EXPECT_NE(info.output.find("bootup"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find(s.core.ProgramPath()), std::string::npos) << info.output;
}

TEST_P(AutomationPageTest, LeavingUseSchedulerDeletesTheJobFileOnlyWhenNoneUsesIt) {
  s.m.write(jobFile(), "job the user made");
  s.automation.FreqClick(0, kUseScheduler);
  s.automation.FreqClick(1, kUseScheduler);
  EXPECT_TRUE(s.m.exists(jobFile()));
  s.automation.FreqClick(0, kDaily);  // config 1 still uses the scheduler
  EXPECT_TRUE(s.m.exists(jobFile()));
  s.automation.FreqClick(1, kWeekly);
  EXPECT_FALSE(s.m.exists(jobFile()));
  s.automation.FreqClick(1, kDoNotPerform);  // nothing to delete: no error
  EXPECT_FALSE(s.m.exists(jobFile()));
}

TEST_P(AutomationPageTest, AFirstChoiceStoresTodayAndALaterOneKeepsTheDate) {
  s.m.setToday(2026, 5, 3);
  int changes = 0;
  s.automation.OnChange = [&] { ++changes; };
  s.automation.FreqClick(1, kWeekly);
  EXPECT_EQ(s.m.setting("AutoBackup", "Year"), "2026");
  EXPECT_EQ(s.m.setting("AutoBackup", "Month"), "5");
  EXPECT_EQ(s.m.setting("AutoBackup", "Day"), "3");
  s.m.setToday(2026, 6, 9);
  s.automation.FreqClick(1, kDaily);
  EXPECT_EQ(s.m.setting("AutoBackup", "Day"), "3");
  EXPECT_EQ(s.m.setting("AutoBackup", "Freq"), "0");
  s.automation.FreqClick(1, 6);  // no such entry
  s.automation.FreqClick(9, kDaily);
  EXPECT_EQ(changes, 2);
}

TEST_P(AutomationPageTest, LabelsListsAndPause) {
  EXPECT_EQ(s.automation.listLabel(0), "S&tart Corvasta and Wait.");
  EXPECT_EQ(s.automation.listLabel(1), "Back up &1st Setup (" + s.core.Form8.configNames[0] + ").");
  EXPECT_EQ(s.automation.listLabel(4), "Back up &4th Setup (" + s.core.Form8.configNames[3] + ").");
  EXPECT_TRUE(s.automation.listEnabled(1));
  EXPECT_FALSE(s.automation.listEnabled(3));
  EXPECT_EQ(s.automation.listIndex(3), kDoNotPerform);
  s.automation.PauseChanged(1500);
  EXPECT_EQ(s.core.Form8.pause, 999);
  s.automation.PauseChanged(-1);
  EXPECT_EQ(s.core.Form8.pause, 0);
}

INSTANTIATE_TEST_SUITE_P(Samples, AutomationPageTest,
                         ::testing::Values(WindowsVersion::Win95, WindowsVersion::WinMe,
                                           WindowsVersion::WinXp),
                         [](const auto& info) { return versionName(info.param); });

TEST(InstallerDailyAnswer, MakesTheStartupShortcutAndDeletesTheJob) {
  SampleProgram s{WindowsVersion::WinMe};
  const std::string program = s.core.loc.programDir;
  s.m.write(program + "afterset.bat",
            "[CopyFiles2C]\r\nDone=1\r\n[NTBootDisk]\r\nPrompt=0\r\n"
            "[DOSBootDisk]\r\nPrompt=0\r\n");
  s.m.write(s.core.loc.windowsDir + "Tasks\\Corvasta.job", "old job");
  for (size_t list = 0; list < 5; ++list) s.core.Form8.automationFreq[list] = kDoNotPerform;
  s.m.ui.expect("Run Corvasta when Windows starts up?", "Yes");
  s.form.BeginningPrompts();
  EXPECT_EQ(s.m.setting("AutoBackup", "Freq"), "0");
  EXPECT_NE(s.m.setting("AutoBackup", "Year"), "@");
  EXPECT_EQ(s.core.CheckParameters(s.core.loc.startupDir + "Corvasta.lnk"), "bootup");
  EXPECT_FALSE(s.m.exists(s.core.loc.windowsDir + "Tasks\\Corvasta.job"));
}

}  // namespace
}  // namespace prefs_pages_test
