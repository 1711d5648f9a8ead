// Backups whose target runs out of room: a removable target spans several
// diskettes with the disk prompts answered, and a fixed drive that fills up
// in the middle leaves the earlier sets and the settings as they were.

#include <gtest/gtest.h>

#include <random>

#include "archive/ZipReader.h"
#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/disk_swapping_ui.h"

namespace backup_test {
namespace {

using testing_support::DiskSwappingProgram;
using testing_support::MachineBuilder;
using testing_support::writeConfig;

struct Diskettes : ::testing::Test {
  DiskSwappingProgram m{
      MachineBuilder().folder("C:\\TEMP").removableDrive('A', {"disk1", "disk2", "disk3"})};
  platform::Drive& driveA = *m.machine->drive('A');
  void SetUp() override {
    m.ui.diskDrive = &driveA;
    m.write("C:\\AUTOEXEC.BAT", "@echo off\r\nprompt $p$g\r\n");
  }
};

TEST_F(Diskettes, ABackupLargerThanADisketteSpansDisksAndReadsBack) {
  const std::string command = testing_support::randomBytes(2'200'000, 7);
  m.write("C:\\COMMAND.COM", command);
  writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {1, 4});
  m.start();
  // Disk 2 for the rest; then disk 1 again for the table of contents, and
  // the last disk once more.
  m.ui.nextMedia = {"disk2", "disk1", "disk2"};
  m.ui.expect("Please note that this is the first disk with A:\\command.coz on it.", "Retry");
  m.ui.expect("Please insert first disk with", "Retry");
  m.ui.expect("Please insert the last disk", "Retry");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  // The target itself is the set, never registered.
  EXPECT_EQ(m.setting("Backup Directories", "1"), "@");
  EXPECT_EQ(driveA.insertedMedium(), "disk2");
  EXPECT_TRUE(m.exists("A:\\command.coz"));

  // Read back from the last disk, asking for the others.
  driveA.insert("disk2");
  archive::TMultiVolumeRun restoring;
  restoring.target = archive::TargetKind::RemovableDisk;
  restoring.backingUp = false;
  archive::TMultiVolumeHandlers handlers(m.form->core.zipFileSystem,
                                         *m.form->backup.archiving.multiVolumeHost, restoring);
  archive::TZipReader reader(m.form->core.zipFileSystem);
  handlers.Attach(reader);
  m.ui.nextMedia = {"disk1", "disk2"};
  m.ui.expect("Please insert the 1st with A:\\command.coz on it.", "OK");
  m.ui.expect("Please insert the last disk with A:\\command.coz on it.", "OK");
  reader.SetZipName("A:\\command.coz");
  m.files->createDirectory("C:\\RESTORED");
  reader.DestDir = "C:\\RESTORED\\";
  reader.RecreateDirs = false;
  EXPECT_EQ(reader.Extract(), 1);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\RESTORED\\COMMAND.COM"), command);
}

TEST_F(Diskettes, CancellingTheNextDiskEndsTheRunWithTheWarningList) {
  m.write("C:\\COMMAND.COM", testing_support::randomBytes(1'800'000, 9));
  writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {4});
  m.start();
  m.ui.expect("Please insert another disk", "Abort");
  EXPECT_THROW(m.form->BitBtn1Click(), corvasta::Error);
  EXPECT_TRUE(m.ui.finished());
  ASSERT_FALSE(m.ui.lastWarningList.empty());
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find("<<< Ended at"), std::string::npos);
  EXPECT_FALSE(m.form->core.backupRun.cancelled);
}

TEST_F(Diskettes, UncompressedFilesLandInFolderTreesOnTheDisk) {
  writeConfig(m, 1, "A:\\", 0, corvasta::kFullBackup, {1});
  m.setSetting("BackupPreferences1", "DeleteFiles", "1");
  m.start();
  m.write("A:\\old.txt", "previous backup");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists("A:\\old.txt"));
  EXPECT_EQ(m.read("A:\\C\\AUTOEXEC.BAT"), m.read("C:\\AUTOEXEC.BAT"));
}

TEST_F(Diskettes, NoDiskAsksUntilOneIsInserted) {
  driveA.eject();
  writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {1});
  m.start();
  m.ui.nextMedia = {"disk3"};
  m.ui.expect("Please insert a disk.", "OK");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.exists("A:\\autoexec.baz"));

  driveA.eject();
  m.ui.expect("Please insert a disk.", "Cancel");
  m.form->BitBtn1Click();
  EXPECT_EQ(m.ui.lastWarningList.at(2), "Backup Canceled");
}

TEST(FullDrive, DiskFullLeavesEarlierSetsAndSettingsIntact) {
  DiskSwappingProgram m{MachineBuilder().folder("C:\\TEMP").fixedDrive('D', 600'000)};
  m.write("C:\\AUTOEXEC.BAT", "@echo off\r\n");
  m.write("C:\\COMMAND.COM", testing_support::randomBytes(900'000, 3));
  m.files->createDirectory("D:\\Backups");
  m.files->createDirectory("D:\\Backups\\old");
  m.write("D:\\Backups\\old\\autoexec.baz", "earlier set");
  m.setSetting("Backup Directories", "1", "D:\\Backups\\old\\");
  writeConfig(m, 1, "D:\\Backups", 1, corvasta::kFullBackup, {1, 4});
  m.setSetting("BackupName", "UseDate", "0");
  m.start();
  m.ui.expect("Type Name of this Backup:", "1");
  EXPECT_THROW(m.form->BitBtn1Click(), corvasta::Error);
  EXPECT_TRUE(m.ui.finished());

  EXPECT_EQ(m.read("D:\\Backups\\old\\autoexec.baz"), "earlier set");
  EXPECT_EQ(m.setting("Backup Directories", "1"), "D:\\Backups\\old\\");
  EXPECT_EQ(m.setting("BackupPreferences1", "Target"), "D:\\Backups");
  const std::string set = m.setting("Backup Directories", "2");
  ASSERT_EQ(set, "D:\\Backups\\1\\");
  EXPECT_TRUE(m.exists(set + "autoexec.baz"));
  EXPECT_FALSE(m.exists(set + "command.coz"));
  const std::vector<std::string>& warning = m.ui.lastWarningList;
  ASSERT_GE(warning.size(), 3u);
  EXPECT_EQ(warning[2], "C:\\command.com");
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find("C:\\command.com"), std::string::npos);
  EXPECT_NE(log.find("<<< Ended at"), std::string::npos);
}

}  // namespace
}  // namespace backup_test
