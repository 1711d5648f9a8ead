// The Backup Manager page on the 95, ME and XP samples: captions and widths
// from and to the settings, several rows selectable, "&Delete" acting on one,
// in-place rename with its refusals, "&Add" of lost sets, and the directories
// that are never emptied as a set.

#include <gtest/gtest.h>

#include "backup/SetNaming.h"
#include "tests/prefs_pages/pages_rig.h"

namespace prefs_pages_test {
namespace {

using platform::WindowsVersion;

struct BackupManagerPageTest : ::testing::TestWithParam<WindowsVersion> {
  SampleProgram s{GetParam()};
};

TEST_P(BackupManagerPageTest, CaptionsAndWidthsComeFromAndGoToTheSettings) {
  s.m.setSetting("Backup Manager", "Column2Width", "250");
  s.makeSet("C:\\B\\Mon\\");
  s.registerSets({"C:\\B\\Mon\\"});
  EXPECT_EQ(s.page.columnCaption(0), "1 Backup");
  EXPECT_EQ(s.page.columnCaption(1), "Full Path");
  EXPECT_EQ(s.page.columnCaption(2), "Date/Time");
  EXPECT_EQ(s.page.columnWidth(0), 100);
  EXPECT_EQ(s.page.columnWidth(1), 250);
  s.page.ColumnResized(0, 120);
  s.form.WriteSettings();
  EXPECT_EQ(s.m.setting("Backup Manager", "Column1Width"), "120");
  // The stored width survives a save: it is not reset to the default.
  EXPECT_EQ(s.m.setting("Backup Manager", "Column2Width"), "250");
}

TEST_P(BackupManagerPageTest, SeveralRowsSelectableButDeleteActsOnOne) {
  for (const char* day : {"Mon", "Tue", "Wed"}) s.makeSet(std::string("C:\\B\\") + day + "\\");
  s.registerSets({"C:\\B\\Mon\\", "C:\\B\\Tue\\", "C:\\B\\Wed\\"});
  EXPECT_FALSE(s.page.deleteEnabled);
  EXPECT_FALSE(s.page.renameEnabled);
  s.page.ListView1SelectItem({2, 0, 7});
  EXPECT_EQ(s.page.selectedRows(), (std::vector<size_t>{0, 2}));
  EXPECT_TRUE(s.page.deleteEnabled);
  EXPECT_TRUE(s.page.renameEnabled);
  s.page.DeleteClick();  // two rows: nothing happens
  EXPECT_EQ(s.lists.rows.size(), 3u);
  EXPECT_TRUE(s.m.exists("C:\\B\\Tue\\autoexec.baz"));

  s.page.ListView1SelectItem({1});
  s.page.DeleteClick();
  EXPECT_FALSE(s.m.exists("C:\\B\\Tue"));
  EXPECT_EQ(s.m.setting("Backup Directories", "2"), "C:\\B\\Wed\\");
  EXPECT_EQ(s.m.setting("Backup Directories", "Short2"), "C:\\B\\WED\\");
  EXPECT_EQ(s.page.columnCaption(0), "2 Backups");
  EXPECT_FALSE(s.page.deleteEnabled);  // the refill leaves nothing selected
}

TEST_P(BackupManagerPageTest, DeletingASetWithSubfoldersAsksUnlessTold) {
  s.makeSet("C:\\B\\Mon\\");
  s.makeSet("C:\\B\\Tue\\C\\WINDOWS\\");
  s.registerSets({"C:\\B\\Mon\\", "C:\\B\\Tue\\"});
  s.m.ui.expect("Delete C:\\B\\Tue\\?", "No");
  s.page.ListView1SelectItem({1});
  s.page.DeleteClick();
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_TRUE(s.m.exists("C:\\B\\Tue\\C\\WINDOWS\\autoexec.baz"));
  EXPECT_EQ(s.lists.rows.size(), 1u);

  s.makeSet("C:\\B\\Mon\\X\\");
  s.core.Form8.promptForSubDirs = true;
  s.page.ListView1SelectItem({0});
  s.page.DeleteClick();  // "Do Not Prompt for Deleting Subdirectories": no question
  EXPECT_FALSE(s.m.exists("C:\\B\\Mon"));
  EXPECT_EQ(s.page.columnCaption(0), "0 Backups");
}

TEST_P(BackupManagerPageTest, RenameInPlaceAndItsRefusals) {
  s.makeSet("C:\\B\\Mon\\");
  s.makeSet("C:\\B\\Wed\\");
  s.registerSets({"C:\\B\\Mon\\", "C:\\B\\Wed\\"});
  s.page.ListView1SelectItem({1});
  s.page.RenameClick();
  ASSERT_EQ(s.page.editingRow, std::optional<size_t>(1));
  EXPECT_TRUE(s.page.ListView1Edited(1, "Wednesday"));
  EXPECT_FALSE(s.page.editingRow);
  EXPECT_TRUE(s.m.exists("C:\\B\\Wednesday\\autoexec.baz"));
  EXPECT_EQ(s.m.setting("Backup Directories", "2"), "C:\\B\\Wednesday\\");

  // A name that would leave the folder (or name none) is refused with the
  // naming message; the set stays where it was.
  for (const char* bad : {"..\\x", "..", ".", "", "a:b", "x/y", "a*", "q?", "<", "|", "\"q\""}) {
    s.m.ui.expect("The Backup Name cannot be left blank", "OK");
    EXPECT_FALSE(s.page.ListView1Edited(0, bad)) << bad;
  }
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_TRUE(s.m.exists("C:\\B\\Mon\\autoexec.baz"));
  EXPECT_FALSE(s.m.exists("C:\\x"));
  EXPECT_EQ(s.m.setting("Backup Directories", "1"), "C:\\B\\Mon\\");

  // A name another folder has: nothing is reported, nothing changes.
  EXPECT_FALSE(s.page.ListView1Edited(0, "Wednesday"));
  EXPECT_EQ(s.lists.rows[0].name, "Mon");
}

TEST_P(BackupManagerPageTest, AddingTwiceIsRefusedAndLostSetsAreListed) {
  s.makeSet("C:\\B\\Mon\\");
  s.makeSet("C:\\B\\Lost1\\");
  s.makeSet("C:\\B\\Lost2\\");
  // A registered set whose folder is gone: the add takes its place after
  // the refill, it does not overwrite a live entry.
  s.registerSets({"C:\\B\\Mon\\"});
  s.m.setSetting("Backup Directories", "2", "C:\\B\\Gone\\");
  s.m.setSetting("Backup Directories", "3", "C:\\B\\Lost1\\");
  s.m.ui.expect("Find the Directory of a Backup Set", "C:\\B\\LOST1");
  s.m.ui.expect("C:\\B\\LOST1\\ is already in the Backup Manager", "OK");
  s.page.AddClick();
  s.m.ui.expect("Find the Directory of a Backup Set", "C:\\B\\Lost2");
  s.page.AddClick();
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_EQ(s.page.columnCaption(0), "3 Backups");
  EXPECT_EQ(s.m.setting("Backup Directories", "2"), "C:\\B\\Lost1\\");
  EXPECT_EQ(s.m.setting("Backup Directories", "3"), "C:\\B\\Lost2\\");
  EXPECT_EQ(s.m.setting("Backup Directories", "4"), "@");
}

TEST_P(BackupManagerPageTest, KeepAndMaximumCountersStayInStep) {
  int changes = 0;
  s.page.OnChange = [&] { ++changes; };
  s.page.MaximumChanged(20000);
  EXPECT_EQ(s.core.Form8.maxNum, 10000);
  s.page.MaximumChanged(10);
  s.m.ui.expect("The Keep value must be less than the Maximum Backups value.", "OK");
  s.page.KeepChanged(10);
  EXPECT_EQ(s.core.Form8.maxNum, 11);
  s.page.KeepChanged(-3);
  EXPECT_EQ(s.core.Form8.keep, 0);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(s.m.ui.finished());
}

// Deleting a set, and the backup run's rotation that uses the same removal,
// never empty the program, Windows or System directory or a drive root,
// however the register spells them.
TEST_P(BackupManagerPageTest, ProtectedDirectoriesAreNeverEmptiedAsASet) {
  const std::string windows = s.core.loc.windowsDir;
  const std::string program = s.core.loc.programDir;
  const std::string system = s.core.loc.systemDir;
  // A "lost set" C:\WINDOWS\ added by mistake: refused, files and entry stay.
  s.m.ui.expect("Find the Directory of a Backup Set", corvasta::RemoveBackSl(windows));
  s.page.AddClick();
  ASSERT_EQ(s.lists.rows.size(), 1u);
  s.m.ui.expect(windows + " is not deleted as a backup set: it is or holds the Windows", "OK");
  s.page.ListView1SelectItem({0});
  s.page.DeleteClick();
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_TRUE(s.m.exists(windows + "win.ini") || s.m.exists(windows + "system.ini"));
  EXPECT_EQ(s.m.setting("Backup Directories", "1"), windows);

  corvasta::BackupManager& manager = s.form.backup.manager;
  const std::string shortProgram = corvasta::ShortFileName(s.core.env.machine, program);
  const std::string parentOfSystem = system.substr(0, system.find('\\', 3) + 1);
  for (const std::string& dir : {program, shortProgram, system, parentOfSystem, std::string("C:\\"),
                                 std::string("c:\\program files\\")}) {
    EXPECT_TRUE(manager.protectedSetDirectory(dir).has_value()) << dir;
    s.m.ui.expect("is not deleted as a backup set", "OK");
    EXPECT_FALSE(manager.RemoveBackupSetDirectory(dir, true)) << dir;
  }
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_TRUE(s.m.exists(s.core.ProgramPath()));
  EXPECT_FALSE(manager.protectedSetDirectory("C:\\B\\Mon\\").has_value());
  EXPECT_FALSE(manager.protectedSetDirectory(program + "Backups\\Mon\\").has_value());
}

INSTANTIATE_TEST_SUITE_P(Samples, BackupManagerPageTest,
                         ::testing::Values(WindowsVersion::Win95, WindowsVersion::WinMe,
                                           WindowsVersion::WinXp),
                         [](const auto& info) { return versionName(info.param); });

TEST(SetNames, DotsAndBlanksAloneAreNoName) {
  for (const char* bad : {".", "..", "...", " ", ". ."})
    EXPECT_FALSE(corvasta::isUsableSetName(bad)) << bad;
  EXPECT_TRUE(corvasta::isUsableSetName(".hidden"));
}

}  // namespace
}  // namespace prefs_pages_test
