// The system-backup page: Windows ME's rb???.cab files and XP's restore
// points, their columns, "&Delete" with its hint and enabling, and the
// counter of Windows ME's backups that moves by its arrows only.

#include <gtest/gtest.h>

#include "tests/prefs_pages/pages_rig.h"

namespace prefs_pages_test {
namespace {

using platform::WindowsVersion;

TEST(SystemBackupsPage, WindowsMeCabinetsSortedWithSizesAndDelete) {
  SampleProgram s{WindowsVersion::WinMe};
  ASSERT_TRUE(s.systemPage.present());
  const std::string folder = corvasta::CheckPath(s.core.loc.systemBackupDir);
  for (const char* name : {"rb002.cab", "rb000.cab", "rb001.cab"})
    s.m.write(folder + name, std::string(name) + "-bytes");
  s.form.FillList();
  EXPECT_EQ(s.systemPage.columnCaption(0), "WinME Backups");
  EXPECT_EQ(s.systemPage.columnCaption(1), "Date/Time");
  EXPECT_EQ(s.systemPage.columnCaption(2), "Size");
  EXPECT_EQ(s.systemPage.columnWidth(2), 75);
  ASSERT_GE(s.lists.systemRows.size(), 3u);
  for (size_t row = 1; row < s.lists.systemRows.size(); ++row)
    EXPECT_LT(s.lists.systemRows[row - 1].name, s.lists.systemRows[row].name);
  size_t row001 = 0;
  while (s.lists.systemRows[row001].name != "001") ++row001;
  EXPECT_EQ(s.systemPage.sizeText(row001), "15");
  EXPECT_EQ(s.systemPage.deleteHint(), "Deletes the selected WinME backup from the hard drive.");

  EXPECT_FALSE(s.systemPage.deleteEnabled);
  s.m.ui.expect("Please select an item from the list.", "OK");
  s.systemPage.DeleteClick();
  s.systemPage.ListView2SelectItem(row001);
  EXPECT_TRUE(s.systemPage.deleteEnabled);
  const size_t before = s.lists.systemRows.size();
  s.systemPage.DeleteClick();
  EXPECT_FALSE(s.m.exists(folder + "rb001.cab"));
  EXPECT_TRUE(s.m.exists(folder + "rb002.cab"));
  EXPECT_EQ(s.lists.systemRows.size(), before - 1);
  EXPECT_FALSE(s.systemPage.deleteEnabled);
  s.systemPage.ListView2SelectItem(99);  // no such row
  EXPECT_FALSE(s.systemPage.deleteEnabled);
  EXPECT_TRUE(s.m.ui.finished());
}

TEST(SystemBackupsPage, CounterMovesByArrowsWithinOneToAThousand) {
  SampleProgram s{WindowsVersion::WinMe};
  EXPECT_TRUE(s.systemPage.counterVisible());
  EXPECT_EQ(s.systemPage.counterCaption(), "&Maximum Number of WinME Backups");
  int changes = 0;
  s.systemPage.OnChange = [&] { ++changes; };
  s.core.loc.maxBackupCopies = "1";
  s.systemPage.UpDownClick(false);
  EXPECT_EQ(s.core.loc.maxBackupCopies, "1");
  s.systemPage.UpDownClick(true);
  EXPECT_EQ(s.core.loc.maxBackupCopies, "2");
  s.core.loc.maxBackupCopies = "1000";
  s.systemPage.UpDownClick(true);
  EXPECT_EQ(s.core.loc.maxBackupCopies, "1000");
  s.core.loc.maxBackupCopies = "";  // scanreg.ini gave none: Windows' 5
  s.systemPage.UpDownClick(true);
  EXPECT_EQ(s.core.loc.maxBackupCopies, "6");
  EXPECT_EQ(changes, 4);
}

TEST(SystemBackupsPage, WindowsXpRestorePointsHideTheSizeColumn) {
  SampleProgram s{WindowsVersion::WinXp};
  ASSERT_TRUE(s.systemPage.present());
  EXPECT_FALSE(s.systemPage.counterVisible());
  const std::string folder = corvasta::CheckPath(s.core.loc.systemBackupDir);
  s.core.createDirectories(folder + "RP7\\Snapshot\\");
  s.m.write(folder + "RP7\\Snapshot\\_REGISTRY_MACHINE_SYSTEM", "hive");
  s.form.FillList();
  EXPECT_EQ(s.systemPage.columnCaption(0), "Restore Points");
  EXPECT_EQ(s.systemPage.columnWidth(2), 0);
  s.systemPage.ColumnResized(2, 80);  // a hidden column stays hidden
  EXPECT_EQ(s.systemPage.columnWidth(2), 0);
  EXPECT_EQ(s.systemPage.deleteHint(),
            "Deletes the selected WinXP Restore Point from the hard drive.");
  size_t row = 0;
  while (row < s.lists.systemRows.size() && s.lists.systemRows[row].name != "RP7") ++row;
  ASSERT_LT(row, s.lists.systemRows.size());
  s.systemPage.ListView2SelectItem(row);
  s.systemPage.DeleteClick();
  EXPECT_FALSE(s.m.exists(folder + "RP7\\Snapshot"));
}

TEST(SystemBackupsPage, Windows95HasNone) {
  SampleProgram s{WindowsVersion::Win95};
  EXPECT_FALSE(s.systemPage.present());
  EXPECT_FALSE(s.systemPage.counterVisible());
}

}  // namespace
}  // namespace prefs_pages_test
