// MakeMarqueeText on a machine: the settings and registry files it reads,
// the RegPack announcement it makes once, and the marquee click that
// WriteSettings keeps.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/MarqueeText.h"
#include "tests/support/program_rig.h"

namespace ui_test {
namespace {

using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(MakeMarqueeText, ConfigWithoutNameAndStoredDates) {
  TestProgram m;
  m.setSetting("Last Backup", "Year", "2004");
  m.setSetting("Last Backup", "Month", "5");
  m.setSetting("Last Backup", "Day", "2");
  m.setSetting("BackupPreferences2", "LastYear", "2004");
  m.setSetting("BackupPreferences2", "LastMonth", "4");
  m.setSetting("BackupPreferences2", "LastDay", "30");
  m.setSetting("BackupPreferences3", "ConfigName", "Nightly");
  m.setSetting("BackupPreferences3", "LastYear", "2004");
  m.setSetting("BackupPreferences3", "LastMonth", "5");
  m.setSetting("BackupPreferences3", "LastDay", "3");
  m.form->MakeMarqueeText();
  EXPECT_EQ(m.form->MarqueeText.rfind("Last Backup made on 05/02/2004 (1 day ago) - Config2: "
                                      "04/30/2004 (3 days ago) - Nightly: 05/03/2004 (Today).",
                                      0),
            0u)
      << m.form->MarqueeText;
}

TEST(MakeMarqueeText, ANonsenseLastBackupDateWelcomes) {
  TestProgram m;
  m.setSetting("Last Backup", "Year", "2004");
  m.setSetting("Last Backup", "Month", "14");
  m.setSetting("Last Backup", "Day", "2");
  m.form->MakeMarqueeText();
  EXPECT_EQ(m.form->MarqueeText.rfind("Welcome to Corvasta.", 0), 0u);
}

TEST(MakeMarqueeText, JustDoneIsAnnouncedOnceAndKept) {
  TestProgram m;  // Windows ME: the sizes of the .zzz copies against the .dat files
  m.writeFileOfSize("C:\\WINDOWS\\system.zzz", 600 * 1024);
  m.writeFileOfSize("C:\\WINDOWS\\user.zzz", 200 * 1024);
  m.writeFileOfSize("C:\\WINDOWS\\system.dat", 450 * 1024);
  m.writeFileOfSize("C:\\WINDOWS\\user.dat", 150 * 1024);
  m.setSetting("RegPack", "JustDone", "1");
  // The undo copy was written just now.
  const platform::SystemTime today = platform::localTimeNow();
  m.setToday(today.year, today.month, today.day);

  m.form->MakeMarqueeText();
  const std::string first = m.form->MarqueeText;
  EXPECT_EQ(first.rfind("RegPack was just completed and reduced the registry by 200kb.  ", 0), 0u);
  EXPECT_NE(first.find("The last RegPack was done on " + platform::formatDate(today, "MM/dd/yyyy") +
                       " (Today) and reduced the registry by 200kb."),
            std::string::npos)
      << first;
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "0");
  EXPECT_EQ(m.setting("RegPack", "LastReduction"), "200");

  // The registry grows by 30kb; the next text reports the kept reduction.
  m.writeFileOfSize("C:\\WINDOWS\\system.dat", 480 * 1024);
  m.form->MakeMarqueeText();
  const std::string next = m.form->MarqueeText;
  EXPECT_EQ(next.find("RegPack was just completed"), std::string::npos);
  EXPECT_NE(next.find("and reduced the registry by 200kb.  Since then the registry has grown "
                      "30kb."),
            std::string::npos)
      << next;
}

TEST(MakeMarqueeText, NtModesCompareTheHivesWithTheStoredSize) {
  TestProgram m{MachineBuilder(WindowsVersion::WinXp)};
  for (const char* hive : {"system", "software", "sam", "security", "default"})
    m.writeFileOfSize("C:\\WINDOWS\\System32\\config\\" + std::string(hive), 100 * 1024);
  m.writeFileOfSize("C:\\WINDOWS\\registry.zzz", 10);
  m.setSetting("RegPack", "BeforeSize", std::to_string(800 * 1024));
  m.setSetting("RegPack", "JustDone", "1");
  m.form->MakeMarqueeText();
  EXPECT_EQ(
      m.form->MarqueeText.rfind("RegPack was just completed and reduced the registry by 300kb.", 0),
      0u);
  EXPECT_EQ(m.setting("RegPack", "LastReduction"), "300");
}

TEST(MakeMarqueeText, WithoutTheUndoCopyRegPackIsRecommended) {
  TestProgram m;
  m.setSetting("RegPack", "LastReduction", "77");
  m.form->MakeMarqueeText();
  EXPECT_NE(m.form->MarqueeText.find("   RegPack will rearrange the registry making it smaller"),
            std::string::npos);
  EXPECT_EQ(m.form->MarqueeText.find("77kb"), std::string::npos);
}

TEST(MakeMarqueeText, TodayPicksTheTip) {
  TestProgram m;
  m.setToday(2004, 5, 30);
  m.form->MakeMarqueeText();
  EXPECT_NE(m.form->MarqueeText.find(corvasta::tipOfTheDay(30, 3, "ME", "ME")), std::string::npos);
}

TEST(MarqueeClick, StopsTheScrollingAndWriteSettingsKeepsIt) {
  TestProgram m;
  m.form->ReadSettings();
  ASSERT_TRUE(m.form->core.marqueeRunning);
  m.form->PaintBox1Click();
  EXPECT_FALSE(m.form->core.marqueeRunning);
  m.form->WriteSettings();
  EXPECT_EQ(m.setting("BackupPreferences", "MarqueeScroll"), "0");
  m.form->ReadSettings();
  EXPECT_FALSE(m.form->core.marqueeRunning);
  m.form->PaintBox1Click();
  EXPECT_TRUE(m.form->core.marqueeRunning);
}

}  // namespace
}  // namespace ui_test
