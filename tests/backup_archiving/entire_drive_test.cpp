// Entire-drive entries: one archive per top-level folder and one for the
// root's files; the set being written is never archived into itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/backup_archiving/archiving_run.h"

using archiving_test::inBackup;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

namespace {

void writeDriveD(TestProgram& m) {
  m.write("D:\\GAMES\\chess.exe", "moves");
  m.write("D:\\GAMES\\SAVES\\game1.sav", "e4 e5");
  m.write("D:\\DOCS\\plan.txt", "garden plan");
  m.form->core.createDirectories("D:\\EMPTY");
  m.write("D:\\readme.txt", "drive D");
  m.addSettings("[MultiFiles0]\r\nFileName=All Files on Drive D\r\nCheck1=1\r\n");
}

std::vector<std::string> sorted(std::vector<std::string> entries) {
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace

TEST(EntireDriveTest, EachTopLevelFolderAndTheRootGetAnArchive) {
  TestProgram m{inBackup(MachineBuilder().fixedDrive('D'))};
  writeDriveD(m);

  m.form->backup.items.BackupOtherFilesEntry(0, 4);

  EXPECT_EQ(sorted(m.entries(m.setDir + "D-GAMES.zip")),
            (std::vector<std::string>{"D:\\GAMES\\CHESS.EXE", "D:\\GAMES\\SAVES\\GAME1.SAV"}));
  EXPECT_EQ(m.entries(m.setDir + "D-DOCS.zip"), std::vector<std::string>{"D:\\DOCS\\PLAN.TXT"});
  EXPECT_EQ(m.entries(m.setDir + "DRoot.zip"), std::vector<std::string>{"D:\\README.TXT"});
  EXPECT_FALSE(m.exists(m.setDir + "D-EMPTY.zip"));
  EXPECT_FALSE(m.exists(m.setDir + "Temp"));
  EXPECT_EQ(m.form->core.Form4.view.overall, 4);
  EXPECT_EQ(m.form->backup.archiving.ProgressDivisor, 1);
  EXPECT_FALSE(m.form->core.ErrorFlag);
}

TEST(EntireDriveTest, CopyModeKeepsTheRootArchiveToTheRootFiles) {
  TestProgram m{inBackup(MachineBuilder().fixedDrive('D'))};
  writeDriveD(m);
  m.form->core.Zip1.PackLevel = 0;

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  EXPECT_EQ(m.read(m.setDir + "D\\GAMES\\SAVES\\game1.sav"), "e4 e5");
  EXPECT_EQ(m.read(m.setDir + "D\\readme.txt"), "drive D");
  EXPECT_TRUE(m.exists(m.setDir + "D\\DOCS\\plan.txt"));
  EXPECT_EQ(m.form->core.FilesBackedUp, 4u);
}

TEST(EntireDriveTest, TheSetOnTheSameDriveStaysOutOfItsArchives) {
  TestProgram m{inBackup(MachineBuilder().fixedDrive('D'))};
  writeDriveD(m);
  m.form->core.backupRun.backupSetDir = "D:\\BACKUPS\\SET1\\";
  m.form->core.createDirectories("D:\\BACKUPS\\SET1");
  m.write("D:\\BACKUPS\\SET0\\older.zip", "an older set");

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  const std::string set = "D:\\BACKUPS\\SET1\\";
  EXPECT_EQ(m.entries(set + "D-BACKUPS.zip"),
            std::vector<std::string>{"D:\\BACKUPS\\SET0\\OLDER.ZIP"});
  EXPECT_TRUE(m.exists(set + "D-GAMES.zip"));
}

TEST(EntireDriveTest, MissingDriveIsReportedAndTheRunGoesOn) {
  TestProgram m{inBackup(MachineBuilder())};
  m.addSettings("[MultiFiles0]\r\nFileName=All Files on Drive Q\r\n");

  m.form->backup.items.BackupOtherFilesEntry(0, 2);

  EXPECT_TRUE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.form->core.ErrorList, std::vector<std::string>{"Q:\\"});
  EXPECT_EQ(m.form->core.Form4.view.overall, 2);
}
