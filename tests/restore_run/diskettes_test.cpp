// A set spanned over three diskettes restored from the last one, every disk
// asked for and inserted; and a Cancel at the disk of an Other Files archive,
// which stops the run without a restart but says what happened.

#include <gtest/gtest.h>

#include <random>

#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/disk_swapping_ui.h"

namespace restore_test {
namespace {

using testing_support::DiskSwappingProgram;
using testing_support::MachineBuilder;

struct ThreeDiskettes : ::testing::Test {
  DiskSwappingProgram m{
      MachineBuilder().folder("C:\\TEMP").removableDrive('A', {"disk1", "disk2", "disk3"})};
  platform::Drive& driveA = *m.machine->drive('A');
  std::string command = testing_support::randomBytes(3'000'000, 11);

  void SetUp() override {
    m.ui.diskDrive = &driveA;
    m.write("C:\\WINDOWS\\COMMAND\\ATTRIB.EXE", "attrib");
    m.write("C:\\COMMAND.COM", command);
    m.write("C:\\Docs\\letter.txt", "Dear reader");
    m.addSettings(
        "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\">*.txt\"\r\n"
        "SubDirectories=1\r\nCheck1=1\r\n");
    testing_support::writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {4});
    m.start();
    m.ui.nextMedia = {"disk2", "disk3", "disk1", "disk3"};
    m.ui.expect("Please note that this is the first disk with A:\\command.coz on it.", "Retry");
    m.ui.expect("Please insert another disk", "Retry");
    m.ui.expect("Please insert first disk with", "Retry");
    m.ui.expect("Please insert the last disk", "Retry");
    m.ui.expect("Backup Finished", "OK");
    m.form->BitBtn1Click();
    EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
    EXPECT_EQ(driveA.insertedMedium(), "disk3");
    m.write("C:\\COMMAND.COM", "damaged");
    m.files->deleteFile("C:\\Docs\\letter.txt");
  }

  void restore() {
    m.form->restore.state.sourceKind = corvasta::SourceKind::Removable;
    m.form->restore.state.extentEnabled = {true, true, true, true};
    m.form->core.winCrash = m.form->core.userFiles = false;
    m.form->core.winUsers = m.form->core.otherFiles = true;
    m.form->restore.run.RunRestore("A:\\command.coz", "A:\\system.daz");
  }
};

TEST_F(ThreeDiskettes, EveryDiskIsAskedForAndTheFilesComeBack) {
  m.ui.nextMedia = {"disk1", "disk2", "disk3"};
  m.ui.expect("Please insert the 1st with A:\\command.coz on it.", "OK");
  m.ui.expect("Please insert the 2nd with A:\\command.coz on it.", "OK");
  m.ui.expect("Please insert the last disk with A:\\command.coz on it.", "OK");
  // Only autoexec.bat or config.sys among the WinConfig files asks for a restart.
  m.ui.expect("2 files restored.", "OK");
  restore();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_EQ(m.read("C:\\COMMAND.COM"), command);
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");
}

// The person at the machine takes the disk out while the first Other Files
// archive is unzipped and puts in another one that holds only that archive.
class SwapWhileUnzippingUi : public testing_support::DiskSwappingUi {
 public:
  void showProgress(const corvasta::ProgressView& view) override {
    DiskSwappingUi::showProgress(view);
    if (view.status == "Unzipping A.zip" && !swapped) {
      swapped = true;
      diskDrive->insert("other");
    }
  }
  bool swapped = false;
};

TEST(DisketteCancel, CancelAtTheOtherFilesDiskStopsWithoutARestart) {
  testing_support::ProgramWith<SwapWhileUnzippingUi> m{
      MachineBuilder().folder("C:\\TEMP").removableDrive('A', {"disk1", "other"})};
  m.ui.diskDrive = m.machine->drive('A');
  m.write("C:\\WINDOWS\\COMMAND\\ATTRIB.EXE", "attrib");
  m.write("C:\\AUTOEXEC.BAT", "@echo off\r\n");
  m.write("C:\\A\\a.txt", "first");
  m.write("C:\\B\\b.txt", "second");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n"
      "[MultiFiles1]\r\nFileName=B\r\nPath=C:\\B\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n");
  testing_support::writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {1});
  m.start();
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  ASSERT_TRUE(m.exists("A:\\B.zip"));
  const std::string a = m.read("A:\\A.zip");
  m.machine->drive('A')->insert("other");
  m.write("A:\\A.zip", a);
  m.machine->drive('A')->insert("disk1");
  m.write("C:\\AUTOEXEC.BAT", "damaged");
  m.files->deleteFile("C:\\A\\a.txt");

  m.ui.expect("B.zip not Found - Corvasta", "Cancel");
  m.form->restore.state.sourceKind = corvasta::SourceKind::Removable;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.userFiles = false;
  m.form->core.winUsers = m.form->core.otherFiles = true;
  m.form->restore.run.RunRestore("A:\\autoexec.baz", "A:\\system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  // What came before the Cancel stays restored.
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), "@echo off\r\n");
  EXPECT_EQ(m.read("C:\\A\\a.txt"), "first");
  ASSERT_FALSE(m.ui.lastWarningList.empty());
  EXPECT_EQ(m.ui.lastWarningList.back(), "A:\\B.zip");
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find("<<< Ended at"), std::string::npos) << log;
  EXPECT_EQ(log.find("Windows Will Now Restart"), std::string::npos);
}

}  // namespace
}  // namespace restore_test
