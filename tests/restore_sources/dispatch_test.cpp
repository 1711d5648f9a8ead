// The Restore button for every source: the source kind and the registry
// paths the restore run starts with, and the refusals on the way.

#include <gtest/gtest.h>

#include "tests/restore_sources/restore_page.h"
#include "tests/support/disk_swapping_ui.h"

namespace restore_test {
namespace {

using corvasta::SourceKind;

MachineBuilder me() {
  return MachineBuilder(WindowsVersion::WinMe).installationFolders();
}

TEST(Dispatch, RegistryCopiesOfWindowsAndTheProgram) {
  RestorePage page(me().file("C:\\WINDOWS\\system.cvk", "x")
                       .file("C:\\WINDOWS\\user.cvk", "x")
                       .file("C:\\system.1st", "x")
                       .setting("Bootup", "Action", "1"));
  page.choose(1);
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::SpareRegistry);
  EXPECT_TRUE(page.restoredFrom(page.loc().userDir + "user.cvk"));
  EXPECT_EQ(page.m.setting("Bootup", "Action"), "0") << "a pending RegPack start is cancelled";

  page.choose(4);
  page.m.ui.expect("Original Registry", "No");
  page.form().core.ActivityLog.clear();
  page.pressRestore();
  EXPECT_FALSE(page.anyRestore());
  page.m.ui.expect("Original Registry", "Yes");
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::OriginalRegistry);
  EXPECT_TRUE(page.restoredFrom(page.loc().userDir + "user.da0"));
  // The list's last item asks with two blanks before "Continue?".
  EXPECT_TRUE(page.told("last resort.\r\r  Continue? -> Yes"));
}

TEST(Dispatch, NtOriginalRegistryIsTheRepairFolderAndAsksWithoutBlanks) {
  RestorePage page(MachineBuilder(WindowsVersion::Win2000)
                       .installationFolders()
                       .file("C:\\WINNT\\repair\\system._", "x"));
  page.choose(3);
  page.m.ui.expect("Original Registry", "Yes");
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::OriginalRegistry);
  EXPECT_TRUE(page.restoredFrom("C:\\WINNT\\repair\\user.dat"));
  EXPECT_TRUE(page.told("last resort.\r\rContinue? -> Yes"));
}

TEST(Dispatch, PreviousRegistryOfWindows95IsAPlainRegistry) {
  RestorePage page(MachineBuilder(WindowsVersion::Win95)
                       .installationFolders()
                       .file("C:\\WINDOWS\\system.da0", "x")
                       .file("C:\\WINDOWS\\user.da0", "x"));
  page.choose(0);
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::PlainRegistry);
  EXPECT_TRUE(page.restoredFrom(page.loc().userDir + "user.da0"));
}

TEST(Dispatch, SystemBackupsByNumberOrTheNewest) {
  RestorePage page(me().file("C:\\WINDOWS\\SYSBCKUP\\rb001.cab", "1")
                       .file("C:\\WINDOWS\\SYSBCKUP\\rb002.cab", "2")
                       .file("C:\\WINDOWS\\SYSBCKUP\\rbbad.cab", "bad"));
  const std::string dir = corvasta::CheckPath(page.loc().systemBackupDir);
  page.setWritten(dir + "rb001.cab", 20);
  page.setWritten(dir + "rb002.cab", 10);
  page.setWritten(dir + "rbbad.cab", 30);

  // The menu dismissed: item 0 keeps its placeholder, Restore does nothing.
  page.m.ui.expect("WinME Backups", "Cancel");
  page.choose(0);
  page.pressRestore();
  EXPECT_FALSE(page.anyRestore());

  page.m.ui.expect("WinME Backups", "002");
  page.choose(0);
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::WindowsBackup);
  EXPECT_TRUE(page.restoredFrom(dir + "rb002.cab"));

  page.m.ui.expect("WinME Backups", "Most Recent");
  page.choose(0);
  page.pressRestore();
  EXPECT_TRUE(page.restoredFrom(dir + "rb001.cab")) << "rbbad.cab is never the newest";
}

TEST(Dispatch, RestorePointsRestoreTheirSnapshot) {
  const std::string dir = "C:\\System Volume Information\\_restore{5D2}\\";
  RestorePage page(MachineBuilder(WindowsVersion::WinXp)
                       .installationFolders()
                       .folder(dir + "RP7\\Snapshot")
                       .folder(dir + "RP8\\Snapshot"));
  page.setWritten(dir + "RP7", 50);
  page.setWritten(dir + "RP8", 40);
  page.form().FillList();
  page.m.ui.expect("WinXP Restore Points", "RP8");
  page.choose(0);
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::WindowsBackup);
  EXPECT_TRUE(page.restoredFrom(dir + "RP8\\snapshot"));
  page.m.ui.expect("WinXP Restore Points", "Most");
  page.choose(0);
  page.pressRestore();
  EXPECT_TRUE(page.restoredFrom(dir + "RP7\\snapshot"));
}

TEST(Dispatch, ProgramBackupsTheChosenSetOrTheNewest) {
  RestorePage page(me().file("C:\\B\\Mon\\user0.daz", "x")
                       .file("D:\\B\\Mon\\user0.daz", "x")
                       .file("C:\\B\\Tue\\user0.daz", "x")
                       .setting("Backup Directories", "1", "C:\\B\\Mon\\")
                       .setting("Backup Directories", "2", "D:\\B\\Mon\\")
                       .setting("Backup Directories", "3", "C:\\B\\Tue\\")
                       .fixedDrive('D'));
  page.setWritten("C:\\B\\Mon", 30);
  page.setWritten("D:\\B\\Mon", 10);
  page.setWritten("C:\\B\\Tue", 20);
  page.m.ui.expect("Corvasta Backups", "Most Recent");
  page.choose(2);
  page.pressRestore();
  EXPECT_EQ(page.kind(), SourceKind::ProgramBackup);
  EXPECT_TRUE(page.restoredFrom("C:\\B\\Mon\\user0.daz"));

  // Two sets of one name: the one chosen, not the first of that name.
  page.form().MostRecentBackup1Click(2);
  EXPECT_EQ(page.selectedText(), "Corvasta Backup - Mon");
  page.pressRestore();
  EXPECT_TRUE(page.restoredFrom("D:\\B\\Mon\\user0.daz"));
}

TEST(Dispatch, UnknownSetsAndNoSelection) {
  RestorePage page(me());
  page.m.ui.expect("Error - Backup Set Unknown", "OK");
  page.form().GetBackupFile("Most Recent Backup");
  page.form().core.restoreType = -1;
  page.m.ui.expect("Please select a Backup to restore.", "OK");
  page.pressRestore();
  EXPECT_TRUE(page.m.ui.finished());
  EXPECT_FALSE(page.anyRestore());
}

TEST(Dispatch, UnavailableSourcesDoNothingAtRestore) {
  RestorePage page(me());
  for (int item : {0, 1, 2, 4}) {
    page.form().core.restoreType = item;
    page.pressRestore();
  }
  EXPECT_FALSE(page.anyRestore());
  EXPECT_TRUE(page.m.ui.transcript.empty());
}

struct RemovableDisks : ::testing::Test {
  testing_support::DiskSwappingProgram m{me().fixedDrive('D')
                                             .folder("D:\\SET")
                                             .cdromDrive('E', {"backup", "blank"})
                                             .file("E:\\SET\\user0.daz", "x")};
  platform::Drive& cd = *m.machine->drive('E');
  void SetUp() override {
    m.start();
    m.ui.diskDrive = &cd;
    m.form->core.restoreType = 3;  // "Diskette, CD, Removable Drive"
    m.form->ComboBox1Change();
  }
  bool restoredFrom(const std::string& userPath) {
    return m.form->core.ActivityLog.find(">>> Restore of " + userPath) != std::string::npos;
  }
  // The Restore button on the placeholder set: the run it starts fails on
  // the set's bytes and its error handler passes the error on.
  void pressRestoreOfPlaceholder() {
    m.ui.expect("Find the Attrib.exe file", "Cancel");
    try {
      m.form->RestoreClick();
    } catch (const corvasta::Error&) {
    }
  }
};

TEST_F(RemovableDisks, AFolderOnAHardDiskIsRefused) {
  m.ui.expect("Specify the Disk", "D:\\SET").expect("The Directory specified is incorrect.", "OK");
  m.form->RestoreClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(restoredFrom(""));
}

TEST_F(RemovableDisks, AFolderOnACdIsTakenUpperCase) {
  m.ui.expect("Specify the Disk", "e:\\set");
  pressRestoreOfPlaceholder();
  EXPECT_EQ(m.form->restore.state.sourceKind, corvasta::SourceKind::Removable);
  EXPECT_TRUE(restoredFrom("E:\\SET\\user0.daz"));
}

TEST_F(RemovableDisks, TheWrongDiscIsEjectedAndTheRightOneAskedFor) {
  cd.insert("blank");
  m.ui.nextMedia = {"backup"};
  m.ui.expect("Specify the Disk", "E:\\SET").expect("Insert Disk - Corvasta", "OK");
  pressRestoreOfPlaceholder();
  EXPECT_TRUE(m.ui.finished());
  ASSERT_EQ(m.ui.diskPrompts.size(), 1u);
  EXPECT_EQ(m.ui.diskPrompts[0], "Please insert the last disk with user.daz or user.da- on it.");
  EXPECT_TRUE(restoredFrom("E:\\SET\\user0.daz"));
  EXPECT_EQ(cd.insertedMedium(), "backup");
}

TEST_F(RemovableDisks, CancellingTheDiskPromptEndsTheRestore) {
  cd.insert("blank");
  m.ui.expect("Specify the Disk", "E:\\SET").expect("Insert Disk - Corvasta", "Cancel");
  m.form->RestoreClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(restoredFrom(""));
  EXPECT_EQ(cd.insertedMedium(), "") << "the tray was opened for the next disc";
  m.ui.expect("Specify the Disk", "Cancel");
  m.form->RestoreClick();
  EXPECT_TRUE(m.ui.finished());
}

}  // namespace
}  // namespace restore_test
