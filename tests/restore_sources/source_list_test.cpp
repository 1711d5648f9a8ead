// The source list: which sources are refused and where the selection moves
// then, the menus that choose one backup and the items they rewrite, and the
// extent boxes each source enables.

#include <gtest/gtest.h>

#include "tests/restore_sources/restore_page.h"

namespace restore_test {
namespace {

using corvasta::kOtherFilesBox;
using corvasta::kUserFilesBox;
using corvasta::kWinCrashBox;
using corvasta::kWinUsersBox;

MachineBuilder small(WindowsVersion version) {
  return MachineBuilder(version).installationFolders().folder("C:\\B\\Mon");
}

struct CascadeCase {
  const char* what;
  WindowsVersion version;
  bool spare;
  bool sets;
  int chosen;
  const char* refused;
  int selected;
};

class Cascade : public ::testing::TestWithParam<CascadeCase> {};

TEST_P(Cascade, ARefusedSourceMovesTheSelectionToTheNextUsableOne) {
  const CascadeCase& c = GetParam();
  MachineBuilder machine = small(c.version);
  const bool nt = platform::isNt(c.version);
  const std::string windows =
      c.version == WindowsVersion::Nt4 || c.version == WindowsVersion::Win2000 ? "C:\\WINNT\\"
                                                                               : "C:\\WINDOWS\\";
  if (c.spare && nt) machine.file(windows + "registry.daz", "x");
  if (c.spare && !nt) machine.file(windows + "system.cvk", "x").file(windows + "user.cvk", "x");
  if (c.sets)
    machine.file("C:\\B\\Mon\\user0.daz", "x").setting("Backup Directories", "1", "C:\\B\\Mon\\");
  RestorePage page(machine);
  page.m.ui.expect(c.refused, "OK");
  page.choose(c.chosen);
  EXPECT_TRUE(page.m.ui.finished());
  ASSERT_FALSE(page.m.ui.transcript.empty());
  EXPECT_NE(page.m.ui.transcript.back().find("] " + std::string(c.refused) + " Not Available"),
            std::string::npos)
      << page.m.ui.transcript.back();
  EXPECT_EQ(page.form().core.restoreType, c.selected);
  EXPECT_TRUE(page.sources().sourceRefused);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Cascade,
    ::testing::Values(
        CascadeCase{"Win98ToSpare", WindowsVersion::Win98, true, false, 0, "Win98 Backups", 1},
        CascadeCase{"Win98ToSets", WindowsVersion::Win98, false, true, 0, "Win98 Backups", 2},
        CascadeCase{"Win98ToDisks", WindowsVersion::Win98, false, false, 0, "Win98 Backups", 3},
        // The refused name is the mode's, not the item's "WinXP Restore Points".
        CascadeCase{"XpNamesItsBackups", WindowsVersion::WinXp, false, false, 0, "WinXP Backups",
                    3},
        CascadeCase{"Win95Previous", WindowsVersion::Win95, true, false, 0, "Previous Registry", 1},
        CascadeCase{"MeOriginalToTheTop", WindowsVersion::WinMe, false, true, 4,
                    "Original Registry", 2},
        CascadeCase{"NoSetsToDisks", WindowsVersion::WinMe, false, false, 2, "Corvasta Backups", 3},
        CascadeCase{"NtOriginalToSpare", WindowsVersion::Win2000, true, false, 3,
                    "Original Registry", 0},
        CascadeCase{"NtSpareToDisks", WindowsVersion::Nt4, false, false, 0, "Spare Registry", 2}),
    [](const ::testing::TestParamInfo<CascadeCase>& info) { return info.param.what; });

TEST(SourceList, ChoosingFromTheProgramBackupsMenuRewritesItsItem) {
  RestorePage page(small(WindowsVersion::WinMe)
                       .file("C:\\B\\Mon\\user0.daz", "x")
                       .file("C:\\B\\Tue\\user0.daz", "x")
                       .setting("Backup Directories", "1", "C:\\B\\Mon\\")
                       .setting("Backup Directories", "2", "C:\\B\\Tue\\"));
  EXPECT_EQ(page.sources().itemText(2), "Corvasta Backup - Most Recent Backup");
  page.m.ui.expect("Corvasta Backups", "Tue");
  page.choose(2);
  EXPECT_TRUE(page.m.ui.finished());
  EXPECT_EQ(page.m.ui.transcript.back(),
            "Menu [Corvasta Backups] Most Recent Backup|Mon|Tue -> Tue");
  EXPECT_EQ(page.selectedText(), "Corvasta Backup - Tue");
  EXPECT_EQ(page.m.setting("RestorePreferences", "Backup to Restore"), "2");
  // The next start shows the same choice.
  page.m.restartProgram();
  page.m.start();
  EXPECT_EQ(page.sources().itemText(2), "Corvasta Backup - Tue");
}

TEST(SourceList, NoBackupsAndDismissedMenusChangeNothing) {
  RestorePage page(small(WindowsVersion::WinMe)
                       .file("C:\\WINDOWS\\SYSBCKUP\\rb001.cab", "x")
                       .file("C:\\B\\Mon\\user0.daz", "x")
                       .setting("Backup Directories", "1", "C:\\B\\Mon\\"));
  page.m.ui.expect("WinME Backups", "Cancel");
  page.choose(0);
  EXPECT_EQ(page.selectedText(), "WinME Backups");
  page.sources().MostRecentBackup1Click(7);  // past the menu's end
  page.sources().MostRecent1Click(9);
  EXPECT_EQ(page.form().core.restoreType, 0);
  EXPECT_EQ(page.selectedText(), "WinME Backups");
}

TEST(SourceList, SystemBackupsMenuLeavesOutRbbadAndRewritesItemZero) {
  RestorePage page(small(WindowsVersion::WinMe)
                       .file("C:\\WINDOWS\\SYSBCKUP\\rb001.cab", "1")
                       .file("C:\\WINDOWS\\SYSBCKUP\\rb002.cab", "2")
                       .file("C:\\WINDOWS\\SYSBCKUP\\RBBAD.CAB", "bad"));
  const std::string dir = corvasta::CheckPath(page.loc().systemBackupDir);
  page.setWritten(dir + "rb001.cab", 10);
  page.setWritten(dir + "rb002.cab", 20);
  page.setWritten(dir + "RBBAD.CAB", 30);
  page.form().FillList();
  const std::vector<std::string>& menu = page.form().backup.manager.lists.systemBackupsMenu;
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0], "Most Recent");
  EXPECT_EQ(menu[1].rfind("001 - ", 0), 0u);
  EXPECT_EQ(menu[2].rfind("002 - ", 0), 0u);
  EXPECT_EQ(page.form().backup.manager.lists.newestSystemBackup, dir + "rb002.cab");

  page.m.ui.expect("WinME Backups", "001");
  page.choose(0);
  EXPECT_EQ(page.selectedText(), "WinME Backup - " + menu[1]);
}

TEST(SourceList, RestorePointsWithoutASnapshotAreNotOffered) {
  const std::string dir = "C:\\System Volume Information\\_restore{5D2}\\";
  RestorePage page(small(WindowsVersion::WinXp)
                       .folder(dir + "RP1\\Snapshot")
                       .folder(dir + "RP2")
                       .folder(dir + "RP3\\Snapshot"));
  EXPECT_EQ(page.loc().systemBackupDir, dir);
  const std::vector<std::string>& menu = page.form().backup.manager.lists.systemBackupsMenu;
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[1].rfind("RP1 - ", 0), 0u);
  EXPECT_EQ(menu[2].rfind("RP3 - ", 0), 0u);
  page.m.ui.expect("WinXP Restore Points", "RP3");
  page.choose(0);
  EXPECT_EQ(page.selectedText(), "WinXP Restore Point - " + menu[2]);
}

TEST(SourceList, TheBoxesFollowTheSourceAndKeepTheirChecks) {
  RestorePage page(small(WindowsVersion::WinMe)
                       .file("C:\\WINDOWS\\system.cvk", "x")
                       .file("C:\\WINDOWS\\user.cvk", "x")
                       .file("C:\\B\\Mon\\user0.daz", "x")
                       .setting("Backup Directories", "1", "C:\\B\\Mon\\"));
  corvasta::TForm1& form = page.form();
  const std::array<bool, 4>& enabled = form.restore.state.extentEnabled;
  page.m.ui.expect("Corvasta Backups", "Mon");
  page.choose(2);
  EXPECT_TRUE(enabled[kWinCrashBox] && enabled[kWinUsersBox] && enabled[kUserFilesBox] &&
              enabled[kOtherFilesBox]);
  form.WinCrashClick(false);
  form.core.otherFiles = true;
  EXPECT_EQ(page.m.setting("RestorePreferences", "WinCrash"), "0");
  EXPECT_FALSE(page.sources().willRestart());

  page.choose(1);  // Spare Registry: the registry only, always
  EXPECT_TRUE(enabled[kWinCrashBox]);
  EXPECT_FALSE(enabled[kWinUsersBox] || enabled[kUserFilesBox] || enabled[kOtherFilesBox]);
  EXPECT_TRUE(form.core.winCrash);
  EXPECT_TRUE(form.core.otherFiles) << "a disabled box keeps its check";
  EXPECT_TRUE(page.sources().willRestart());

  page.m.ui.expect("Corvasta Backups", "Mon");
  page.choose(2);  // back to the user's own choice
  EXPECT_FALSE(form.core.winCrash);

  page.m.ui.expect("WinME Backups Not Available", "OK");
  page.choose(0);  // none here: on to the spare
  EXPECT_EQ(form.core.restoreType, 1);
  EXPECT_FALSE(enabled[kOtherFilesBox]);
}

TEST(SourceList, SystemBackupsEnableTheRegistryAndWinConfigOnly) {
  RestorePage page(small(WindowsVersion::Win98).file("C:\\WINDOWS\\SYSBCKUP\\rb000.cab", "x"));
  page.m.ui.expect("Win98 Backups", "Most Recent");
  page.choose(0);
  const std::array<bool, 4>& enabled = page.form().restore.state.extentEnabled;
  EXPECT_TRUE(enabled[kWinCrashBox] && enabled[kWinUsersBox]);
  EXPECT_FALSE(enabled[kUserFilesBox] || enabled[kOtherFilesBox]);
  page.form().WinUsersClick(true);
  page.form().WinCrashClick(false);
  EXPECT_TRUE(page.sources().willRestart());
}

// A backup made while the program runs leaves a spare the list offers at
// once; a spare deleted since the start is refused.
TEST(SourceList, TheSpareIsLookedForOnEverySelection) {
  RestorePage xp(small(WindowsVersion::WinXp));
  xp.m.write("C:\\WINDOWS\\registry.daz", "x");
  xp.choose(1);
  EXPECT_TRUE(xp.m.ui.transcript.empty()) << xp.m.ui.transcript.front();
  EXPECT_EQ(xp.form().core.restoreType, 1);

  RestorePage me(small(WindowsVersion::WinMe)
                     .file("C:\\WINDOWS\\system.cvk", "x")
                     .file("C:\\WINDOWS\\user.cvk", "x"));
  me.m.files->deleteFile("C:\\WINDOWS\\user.cvk");
  me.m.ui.expect("Spare Registry Not Available", "OK");
  me.choose(1);
  EXPECT_TRUE(me.m.ui.finished());
  EXPECT_EQ(me.form().core.restoreType, 3);
}

TEST(SourceList, TheWizardSeesTheRefusalAndNoMenu) {
  RestorePage page(small(WindowsVersion::WinMe)
                       .file("C:\\B\\Mon\\user0.daz", "x")
                       .setting("Backup Directories", "1", "C:\\B\\Mon\\"));
  page.form().core.restoreType = 2;
  page.form().ComboBox1Change(corvasta::SelectionCaller::Wizard);
  EXPECT_FALSE(page.sources().sourceRefused);
  EXPECT_TRUE(page.m.ui.transcript.empty());
  page.form().core.restoreType = 0;
  page.m.ui.expect("WinME Backups Not Available", "OK");
  page.form().ComboBox1Change(corvasta::SelectionCaller::Wizard);
  EXPECT_TRUE(page.sources().sourceRefused);
}

}  // namespace
}  // namespace restore_test
