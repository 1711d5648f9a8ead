// The Backup Manager over a machine: the list and the register it rewrites,
// the restore menus, adding, deleting and renaming sets, Windows' own
// registry backups, and the Maximum/Keep rules.

#include <gtest/gtest.h>

#include "backup/BackupManager.h"
#include "prefs/Unit8.h"
#include "tests/support/program_rig.h"

namespace backup_test {
namespace {

struct Manager : ::testing::Test {
  testing_support::TestProgram m{testing_support::MachineBuilder().folder("C:\\TEMP")};
  corvasta::TForm1& form = *m.form;
  const corvasta::BackupManagerLists& lists = form.backup.manager.lists;
  corvasta::BackupManagerPage& page = form.preferences.backupManager;
  corvasta::SystemBackupsPage& systemPage = form.preferences.systemBackups;

  void makeSet(const std::string& path) {
    form.core.createDirectories(path);
    m.write(path + "autoexec.baz", "x");
  }
  void deleteRow(size_t row) {
    page.ListView1SelectItem({row});
    page.DeleteClick();
  }
  void registerSets(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i)
      m.setSetting("Backup Directories", std::to_string(i + 1), paths[i]);
  }
};

TEST_F(Manager, MissingSetsAreDroppedAndTheRegisterCompacted) {
  makeSet("C:\\B\\Mon\\");
  makeSet("C:\\B\\Wed\\");
  registerSets({"C:\\B\\Mon\\", "C:\\B\\Tue\\", "C:\\B\\Wed\\"});
  form.FillList();
  EXPECT_EQ(m.setting("Backup Directories", "1"), "C:\\B\\Mon\\");
  EXPECT_EQ(m.setting("Backup Directories", "2"), "C:\\B\\Wed\\");
  EXPECT_EQ(m.setting("Backup Directories", "3"), "@");
  EXPECT_EQ(m.setting("Backup Directories", "Short2"), "C:\\B\\WED\\");
  EXPECT_EQ(lists.column1Caption(), "2 Backups");
  ASSERT_EQ(lists.rows.size(), 2u);
  EXPECT_EQ(lists.rows[1].name, "Wed");
  EXPECT_EQ(lists.rows[1].folder, "C:\\B\\");
  EXPECT_FALSE(lists.rows[1].dateTime.empty());
  EXPECT_EQ(lists.programBackupsMenu,
            (std::vector<std::string>{"Most Recent Backup", "Mon", "Wed"}));
  EXPECT_EQ(lists.restoreSourceCaption, "Corvasta Backup - Most Recent Backup");
}

TEST_F(Manager, WithoutSetsOnlyNoBackupsIsOffered) {
  form.FillList();
  EXPECT_EQ(lists.programBackupsMenu, std::vector<std::string>{"No Backups"});
  EXPECT_EQ(lists.restoreSourceCaption, "Corvasta Backup - No Backups");
  EXPECT_EQ(lists.column1Caption(), "0 Backups");
  EXPECT_FALSE(form.backup.manager.backupSetsPresent);
}

TEST_F(Manager, BackupToRestoreBeyondTheListIsReset) {
  makeSet("C:\\B\\Mon\\");
  makeSet("C:\\B\\Wed\\");
  registerSets({"C:\\B\\Mon\\", "C:\\B\\Wed\\"});
  m.setSetting("RestorePreferences", "Backup to Restore", "3");
  form.FillList();
  EXPECT_EQ(m.setting("RestorePreferences", "Backup to Restore"), "0");
  m.setSetting("RestorePreferences", "Backup to Restore", "2");
  form.FillList();
  EXPECT_EQ(lists.restoreSourceCaption, "Corvasta Backup - Wed");
  form.backup.manager.ChooseProgramBackup(1);
  EXPECT_EQ(lists.restoreSourceCaption, "Corvasta Backup - Mon");
  EXPECT_EQ(m.setting("RestorePreferences", "Backup to Restore"), "1");
}

TEST_F(Manager, AddingRefusesAListedSetAndListsLostOnes) {
  makeSet("C:\\B\\Mon\\");
  makeSet("C:\\B\\Lost1\\");
  makeSet("C:\\B\\Lost2\\");
  registerSets({"C:\\B\\Mon\\"});
  form.FillList();
  m.ui.expect("Find the Directory of a Backup Set", "C:\\B\\mon");
  m.ui.expect("already in the Backup Manager", "OK");
  page.AddClick();
  m.ui.expect("Find the Directory of a Backup Set", "C:\\B\\Lost1");
  page.AddClick();
  m.ui.expect("Find the Directory of a Backup Set", "C:\\B\\Lost2");
  page.AddClick();
  m.ui.expect("Find the Directory of a Backup Set", "Cancel");
  page.AddClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(lists.column1Caption(), "3 Backups");
  EXPECT_EQ(m.setting("Backup Directories", "3"), "C:\\B\\Lost2\\");
}

TEST_F(Manager, DeletingASetWithSubfoldersAsksFirst) {
  makeSet("C:\\B\\Mon\\");
  makeSet("C:\\B\\Tue\\C\\WINDOWS\\");
  makeSet("C:\\B\\Wed\\");
  registerSets({"C:\\B\\Mon\\", "C:\\B\\Tue\\", "C:\\B\\Wed\\"});
  form.FillList();
  m.ui.expect("could not be removed", "No");
  deleteRow(1);
  EXPECT_TRUE(m.ui.finished());
  // Its files went; the subfolders stay, and it is no longer listed.
  EXPECT_FALSE(m.exists("C:\\B\\Tue\\autoexec.baz"));
  EXPECT_TRUE(m.exists("C:\\B\\Tue\\C\\WINDOWS\\autoexec.baz"));
  EXPECT_EQ(m.setting("Backup Directories", "2"), "C:\\B\\Wed\\");
  EXPECT_EQ(lists.rows.size(), 2u);

  registerSets({"C:\\B\\Mon\\", "C:\\B\\Wed\\", "C:\\B\\Tue\\"});
  form.FillList();
  m.ui.expect("Delete C:\\B\\Tue\\?", "Yes");
  deleteRow(2);
  EXPECT_FALSE(m.exists("C:\\B\\Tue"));
  form.core.Form8.promptForSubDirs = true;
  makeSet("C:\\B\\Mon\\X\\");
  deleteRow(0);
  EXPECT_FALSE(m.exists("C:\\B\\Mon"));
  EXPECT_EQ(lists.programBackupsMenu, (std::vector<std::string>{"Most Recent Backup", "Wed"}));
}

TEST_F(Manager, RenamingMovesTheDirectoryAndItsEntry) {
  makeSet("C:\\B\\Mon\\");
  makeSet("C:\\B\\Wed\\");
  registerSets({"C:\\B\\Mon\\", "C:\\B\\Wed\\"});
  form.FillList();
  page.ListView1Edited(0, "Monday");
  EXPECT_TRUE(m.exists("C:\\B\\Monday\\autoexec.baz"));
  EXPECT_EQ(m.setting("Backup Directories", "1"), "C:\\B\\Monday\\");
  // A name that cannot be given leaves the set as it was.
  page.ListView1Edited(1, "Monday");
  EXPECT_EQ(m.setting("Backup Directories", "2"), "C:\\B\\Wed\\");
  EXPECT_EQ(lists.rows[1].name, "Wed");
}

TEST_F(Manager, MaximumStaysAboveKeepAndAtLeastTheListedSets) {
  form.core.Form8.maxNum = 10;
  form.core.Form8.keep = 10;
  m.ui.expect("The Keep value must be less than the Maximum Backups value.", "OK");
  form.backup.manager.KeepOrMaximumChanged();
  EXPECT_EQ(form.core.Form8.maxNum, 11);
  for (const char* day : {"A", "B", "C", "D", "E"}) makeSet(std::string("C:\\B\\") + day + "\\");
  registerSets({"C:\\B\\A\\", "C:\\B\\B\\", "C:\\B\\C\\", "C:\\B\\D\\", "C:\\B\\E\\"});
  form.FillList();
  form.core.Form8.maxNum = 3;
  m.ui.expect("Please delete all but 3 in the Backup Manager", "OK");
  form.backup.manager.CheckMaximumBackups();
  EXPECT_EQ(form.core.Form8.maxNum, 5);
  EXPECT_TRUE(m.ui.finished());
}

TEST_F(Manager, WindowsRegistryBackupsOfWindowsMe) {
  m.files->createDirectory("C:\\WINDOWS\\SYSBCKUP");
  form.core.loc.systemBackupDir = "C:\\WINDOWS\\SYSBCKUP\\";
  for (const char* name :
       {"rb000.cab", "rb001.cab", "rb002.cab", "rb003.cab", "rb004.cab", "rbbad.cab", "other.cab"})
    m.write(std::string("C:\\WINDOWS\\SYSBCKUP\\") + name, name);
  const auto age = [&](const char* name, int64_t seconds) {
    const platform::FileTime time{static_cast<uint64_t>(126000000000000000LL + seconds * 10000000)};
    m.files->setFileTime(std::string("C:\\WINDOWS\\SYSBCKUP\\") + name, time, time, time);
  };
  age("rb000.cab", 0);
  age("rb001.cab", 100);
  age("rb003.cab", 400);
  age("rb002.cab", 300);
  age("rb004.cab", 200);
  age("rbbad.cab", 900);
  form.FillList();
  ASSERT_EQ(lists.systemRows.size(), 6u);
  EXPECT_EQ(lists.systemRows[0].name, "000");
  EXPECT_EQ(lists.systemRows[5].name, "bad");
  EXPECT_EQ(lists.systemRows[0].size, 9u);
  EXPECT_EQ(lists.systemColumn1Caption, "WinME Backups");
  EXPECT_EQ(lists.newestSystemBackup, "C:\\WINDOWS\\SYSBCKUP\\rb003.cab");
  EXPECT_EQ(lists.systemBackupsMenu.front(), "Most Recent");
  EXPECT_EQ(lists.systemBackupsMenu[1].substr(0, 6), "000 - ");

  m.ui.expect("Please select an item from the list.", "OK");
  systemPage.ListView2SelectItem(std::nullopt);
  systemPage.DeleteClick();
  systemPage.ListView2SelectItem(3);
  systemPage.DeleteClick();
  EXPECT_FALSE(m.exists("C:\\WINDOWS\\SYSBCKUP\\rb003.cab"));
  EXPECT_EQ(lists.systemRows.size(), 5u);
  EXPECT_EQ(lists.newestSystemBackup, "C:\\WINDOWS\\SYSBCKUP\\rb002.cab");
}

}  // namespace
}  // namespace backup_test
