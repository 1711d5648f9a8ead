// The status line's sentences, the ages of dates and the tips.

#include <gtest/gtest.h>

#include "app/MarqueeText.h"

namespace corvasta {
namespace {

platform::SystemTime date(int year, int month, int day) {
  return *storedDate(year, month, day);
}

MarqueeFacts facts(int day = 3, int windowsMode = 3) {
  MarqueeFacts result;
  result.today = date(2004, 5, day);
  result.shortDatePicture = "MM/dd/yyyy";
  result.windowsMode = windowsMode;
  result.shortModeName = windowsMode == 3 ? "ME" : "XP";
  result.longModeName = windowsMode == 3 ? "ME" : "XP";
  return result;
}

TEST(MarqueeDates, AgesCountCalendarDays) {
  const platform::SystemTime today = date(2004, 3, 1);
  EXPECT_EQ(ageText(daysBetween(date(2004, 3, 1), today)), "Today");
  EXPECT_EQ(ageText(daysBetween(date(2004, 2, 29), today)), "1 day ago");  // leap year
  EXPECT_EQ(ageText(daysBetween(date(2004, 2, 27), today)), "3 days ago");
  EXPECT_EQ(daysBetween(date(2003, 12, 31), date(2004, 1, 1)), 1);
  EXPECT_EQ(ageText(daysBetween(date(2004, 3, 3), today)), "-2 days ago");  // a future date
  EXPECT_EQ(datedText(date(2004, 2, 29), today, "M/d/yy"), "2/29/04 (1 day ago)");
}

TEST(MarqueeDates, StoredDatesThatAreNoDatesCountAsNone) {
  EXPECT_FALSE(storedDate(0, 5, 3));
  EXPECT_FALSE(storedDate(2004, 13, 1));
  EXPECT_FALSE(storedDate(2004, 4, 31));
  EXPECT_FALSE(storedDate(2003, 2, 29));
  EXPECT_FALSE(storedDate(2004, -1, 5));
  ASSERT_TRUE(storedDate(2004, 2, 29));
  EXPECT_EQ(storedDate(2004, 5, 3)->dayOfWeek, 1);  // a Monday
}

TEST(MarqueeText, WithoutBackupsItWelcomes) {
  const std::string text = marqueeText(facts());
  EXPECT_EQ(text.rfind("Welcome to Corvasta.   Thank you for purchasing Corvasta.  ", 0), 0u)
      << text;
  EXPECT_NE(text.find("   RegPack will rearrange the registry making it smaller and faster.  If "
                      "you install and uninstall many programs, we suggest that you perform "
                      "RegPack once a month, otherwise you should RegPack at least once a year."
                      "   Please tell your friends about Corvasta.   "),
            std::string::npos);
  // The tip of the 3rd stands between the thanks and the RegPack status.
  EXPECT_NE(text.find("Corvasta.  To restore all of the files in a Backup, use the Crash Fixer.   "
                      "RegPack will"),
            std::string::npos);
}

TEST(MarqueeText, BackupDatesOfTheRunAndOfEachConfig) {
  MarqueeFacts f = facts();
  f.lastBackup = date(2004, 5, 2);
  f.configBackups[1] = MarqueeConfigDate{"Config2", date(2004, 5, 3)};
  f.configBackups[3] = MarqueeConfigDate{"Weekly", date(2004, 4, 30)};
  EXPECT_EQ(marqueeText(f).rfind("Last Backup made on 05/02/2004 (1 day ago) - Config2: "
                                 "05/03/2004 (Today) - Weekly: 04/30/2004 (3 days ago).   Thank",
                                 0),
            0u);
}

TEST(MarqueeText, JustCompletedRegPackAnnouncesTheReduction) {
  MarqueeFacts f = facts();
  f.regPackJustDone = true;
  f.reductionKb = 412;
  f.regPackDate = date(2004, 5, 3);
  f.sizeBefore = 2'000'000;
  f.sizeNow = 2'000'000 - 412 * 1024;
  const std::string text = marqueeText(f);
  EXPECT_EQ(text.rfind("RegPack was just completed and reduced the registry by 412kb.  Welcome", 0),
            0u);
  EXPECT_NE(text.find("   The last RegPack was done on 05/03/2004 (Today) and reduced the "
                      "registry by 412kb.   Please"),
            std::string::npos);
  // Not grown: 1541 + 412 - 1953 = 0.
  EXPECT_EQ(text.find("Since then"), std::string::npos);
}

TEST(MarqueeText, GrowthSinceTheLastRegPack) {
  MarqueeFacts f = facts();
  f.regPackDate = date(2004, 4, 1);
  f.reductionKb = 100;
  f.sizeBefore = 1000 * 1024;
  f.sizeNow = 950 * 1024;  // grown 50kb since it was 900kb
  EXPECT_NE(marqueeText(f).find("The last RegPack was done on 04/01/2004 (32 days ago) and reduced "
                                "the registry by 100kb.  Since then the registry has grown 50kb."),
            std::string::npos);

  f.reductionKb = 0;  // no reduction known: neither sentence
  const std::string text = marqueeText(f);
  EXPECT_NE(text.find("(32 days ago).   Please"), std::string::npos);
}

TEST(MarqueeText, ReductionNeedsBothSizes) {
  EXPECT_EQ(registryReductionKb(0, 5000), 0);
  EXPECT_EQ(registryReductionKb(5000, 0), 0);
  EXPECT_EQ(registryReductionKb(300 * 1024, 100 * 1024), 200);
  EXPECT_EQ(registryReductionKb(100 * 1024, 300 * 1024), -200);
}

TEST(MarqueeText, RegPackStatusOffset) {
  MarqueeFacts f = facts();
  std::string text = marqueeText(f);
  ASSERT_TRUE(regPackStatusOffset(text));
  EXPECT_EQ(text.substr(*regPackStatusOffset(text), 20), "   RegPack will rear");
  f.regPackDate = date(2004, 5, 1);
  text = marqueeText(f);
  EXPECT_EQ(text.substr(*regPackStatusOffset(text), 15), "   The last Reg");
  EXPECT_FALSE(regPackStatusOffset("Welcome to Corvasta."));
}

TEST(MarqueeTips, WordingFollowsTheWindowsMode) {
  EXPECT_EQ(tipOfTheDay(1, 3, "ME", "ME"),
            "It is normal to get the message \"Batch File Missing\" at the end of RegPack and "
            "Restore.");
  EXPECT_EQ(tipOfTheDay(1, 5, "2k", "2000"),
            "The registry of Win2000 cannot be backed up or restored within Win2k without a "
            "program like Corvasta 2000.");
  EXPECT_EQ(tipOfTheDay(10, 6, "XP", "XP"),
            "It is a good idea to keep an XP Boot Disk and a DOS Boot Disk.");
  EXPECT_EQ(tipOfTheDay(10, 4, "NT", "NT"),
            "It is a good idea to keep the WinNT Setup diskettes, and a Boot Disk.");
  EXPECT_EQ(tipOfTheDay(10, 0, "", ""),
            "It is a good idea to keep the Win Setup diskettes, and a Boot Disk.");
  EXPECT_EQ(tipOfTheDay(6, 2, "98", "98").substr(0, 47),
            "Corvasta comes with a DOS version, crvast98.exe");
  EXPECT_NE(tipOfTheDay(6, 2, "98", "98").find("located in C:\\ and in"), std::string::npos);
  EXPECT_TRUE(tipOfTheDay(30, 3, "ME", "ME")
                  .ends_with("If Safe Mode does not work, use the Boot Disk or the DOS version of "
                             "Corvasta."));
  EXPECT_NE(tipOfTheDay(30, 5, "2k", "2000").find("use the Win2000 Setup diskettes"),
            std::string::npos);
  EXPECT_NE(tipOfTheDay(30, 6, "XP", "XP").find("use the XP Boot Disk and the DOS Boot Disk."),
            std::string::npos);
}

TEST(MarqueeTips, EveryDayOfTheMonthHasATip) {
  for (int day = 1; day <= 31; ++day) EXPECT_FALSE(tipOfTheDay(day, 3, "ME", "ME").empty()) << day;
  EXPECT_TRUE(tipOfTheDay(0, 3, "ME", "ME").empty());
  EXPECT_TRUE(tipOfTheDay(32, 3, "ME", "ME").empty());
  // The 31st's tip is shown on the 31st of a month.
  EXPECT_NE(marqueeText(facts(31)).find(tipOfTheDay(31, 3, "ME", "ME")), std::string::npos);
}

}  // namespace
}  // namespace corvasta
