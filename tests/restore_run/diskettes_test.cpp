// A set spanned over three diskettes restored from the last one, every disk
// asked for and inserted; and a Cancel at the disk of an Other Files archive,
// which stops the run without a restart but says what happened. After a
// registry step the registry waits, whole, for the next start of Windows,
// and the warning list says so. An Other Files archive that lies only on a
// later disk is restored from that disk.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"
#include "platform/system/restart.h"
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

// Config 1 of a Windows ME machine on three diskettes: the registry and
// B.zip on the first disk, then A.zip spanned over all three. The restore
// lists the Other Files archives of the disk it starts on, so after A.zip,
// which ends on the last disk, it asks for the disk that holds B.zip.
struct RegistryAndOtherFiles : ::testing::Test {
  DiskSwappingProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  platform::Drive& driveA = *m.machine->drive('A');
  const std::string big = testing_support::randomBytes(3'000'000, 12);
  std::map<std::string, std::string> setRegistry;  // the set's registry files by name

  std::string windows() const { return m.form->core.loc.windowsDir; }

  void SetUp() override { makeTheSet(false); }

  // `spannedFirst`: A.zip is backed up first, so B.zip follows it on the
  // last disk instead of lying on the first.
  void makeTheSet(bool spannedFirst) {
    m.write("C:\\Data\\b.txt", "second");
    m.write("C:\\Big\\a.txt", big);
    const std::string b = "FileName=B\r\nPath=C:\\Data\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n";
    const std::string a = "FileName=A\r\nPath=C:\\Big\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n";
    m.addSettings("[MultiFiles0]\r\n" + (spannedFirst ? a : b) + "[MultiFiles1]\r\n" +
                  (spannedFirst ? b : a));
    m.restartProgram();
    m.start();
    testing_support::writeConfig(m, 1, "A:\\", 1, corvasta::kFullBackup, {0});
    m.restartProgram();
    m.start();
    m.ui.diskDrive = &driveA;
    m.ui.nextMedia = {"disk2", "disk3", "disk1", "disk3"};
    m.ui.expect("Please note that this is the first disk with A:\\A.zip on it.", "Retry");
    m.ui.expect("Please insert another disk", "Retry");
    m.ui.expect("Please insert first disk with", "Retry");
    m.ui.expect("Please insert the last disk", "Retry");
    m.ui.expect("Backup Finished", "OK");
    m.form->BitBtn1Click();
    ASSERT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
    ASSERT_EQ(driveA.insertedMedium(), "disk3");

    driveA.insert("disk1");
    ASSERT_EQ(m.exists("A:\\B.zip"), !spannedFirst);
    for (const char* name : {"system", "user0", "classes"})
      setRegistry[name] = m.onlyEntryOf(std::string("A:\\") + name + ".daz");
    m.writeOnHost(windows() + "SYSTEM.DAT", "broken registry");
    m.write("C:\\Big\\a.txt", "damaged");
    m.files->deleteFile("C:\\Data\\b.txt");
    m.ui.transcript.clear();
    m.ui.diskPrompts.clear();
  }

  // The Windows Crash and Other Files boxes, the first disk in the drive.
  void restore() {
    m.form->restore.state.sourceKind = corvasta::SourceKind::Removable;
    m.form->restore.state.extentEnabled = {true, true, true, true};
    m.form->core.winCrash = m.form->core.otherFiles = true;
    m.form->core.winUsers = m.form->core.userFiles = false;
    m.form->restore.run.RunRestore("A:\\user0.daz", "A:\\system.daz");
  }

  // A.zip found without its end on the first disk: its last disk asked for
  // (by the restore, then by the engine), then every disk from the first on.
  void expectTheLastDiskOfA() {
    m.ui.expect("Please Insert the Last Disk with A.zip on it.", "Retry");
    m.ui.expect("Please insert the last disk with A:\\A.zip on it.", "OK");
  }
  void answerTheDisksOfA() {
    m.ui.nextMedia = {"disk3", "disk3", "disk1", "disk2", "disk3"};
    expectTheLastDiskOfA();
    m.ui.expect("Please insert the 1st with A:\\A.zip on it.", "OK");
    m.ui.expect("Please insert the 2nd with A:\\A.zip on it.", "OK");
    m.ui.expect("Please insert the last disk with A:\\A.zip on it.", "OK");
  }

  // What the next start of Windows puts in place is the set's registry.
  void expectTheSetsRegistryAfterTheNextStart() {
    m.restartWindows({});
    EXPECT_EQ(m.read(windows() + "SYSTEM.DAT"), setRegistry["system"]) << m.bootLog;
    EXPECT_EQ(m.read(windows() + "USER.DAT"), setRegistry["user0"]);
    EXPECT_EQ(m.read(windows() + "CLASSES.DAT"), setRegistry["classes"]);
    EXPECT_FALSE(m.exists(windows() + "wininit.ini"));
  }
};

TEST_F(RegistryAndOtherFiles, TheDiskOfTheLastArchiveIsAskedForAgain) {
  answerTheDisksOfA();
  m.ui.nextMedia.push_back("disk1");
  m.ui.expect("B.zip not Found - Corvasta", "Retry");
  m.ui.expect("Please remove disk from disk drive and quit all applications.", "OK");
  restore();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_EQ(m.read("C:\\Big\\a.txt"), big);
  EXPECT_EQ(m.read("C:\\Data\\b.txt"), "second");
  EXPECT_TRUE(platform::restartRequested(*m.machine));
  expectTheSetsRegistryAfterTheNextStart();
}

TEST_F(RegistryAndOtherFiles, CancelAtTheOtherFilesDiskSaysTheRegistryWaitsForTheRestart) {
  answerTheDisksOfA();
  m.ui.expect("B.zip not Found - Corvasta", "Cancel");
  restore();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  // The warning list, with OK only: what is missing and what still happens.
  const std::vector<std::string>& list = m.ui.lastWarningList;
  ASSERT_GE(list.size(), 4u);
  EXPECT_NE(std::find(list.begin(), list.end(), "A:\\B.zip"), list.end());
  EXPECT_EQ(list[list.size() - 2], "If any keys were successfully restored, ");
  EXPECT_EQ(list.back(), "   they will be implemented when Windows restarts.");
  std::string transcript;
  for (const std::string& line : m.ui.transcript) transcript += line + "\n";
  EXPECT_NE(transcript.find("B.zip not Found - Corvasta] Please insert the next disk. -> Cancel\n"
                            "Warning: "),
            std::string::npos)
      << transcript;
  // No summary, no restart, the log written.
  EXPECT_FALSE(platform::restartRequested(*m.machine));
  const std::string log = m.read(m.programDir() + "results.txt");
  EXPECT_NE(log.find(">>> Restore of A:\\user0.daz"), std::string::npos) << log;
  EXPECT_NE(log.find("<<< Ended at"), std::string::npos) << log;
  EXPECT_EQ(log.find("Windows Will Now Restart"), std::string::npos) << log;
  // What was restored is whole; what was not is untouched.
  EXPECT_EQ(m.read("C:\\Big\\a.txt"), big);
  EXPECT_FALSE(m.exists("C:\\Data\\b.txt"));
  EXPECT_EQ(m.read(windows() + "SYSTEM.DAT"), "broken registry");
  expectTheSetsRegistryAfterTheNextStart();
}

TEST_F(RegistryAndOtherFiles, CancelInsideASpannedArchiveLeavesItsFileAsItWas) {
  m.ui.nextMedia = {"disk3", "disk3", "disk1"};
  expectTheLastDiskOfA();
  m.ui.expect("Please insert the 1st with A:\\A.zip on it.", "OK");
  m.ui.expect("Please insert the 2nd with A:\\A.zip on it.", "Cancel");
  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored.", "OK");
  restore();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(m.form->core.ErrorFlag);
  const std::vector<std::string>& list = m.ui.lastWarningList;
  EXPECT_NE(std::find(list.begin(), list.end(), "A:\\A.zip"), list.end());
  EXPECT_NE(std::find(list.begin(), list.end(), "If any keys were successfully restored, "),
            list.end());
  EXPECT_EQ(m.read("C:\\Big\\a.txt"), "damaged");
  EXPECT_EQ(m.read("C:\\Data\\b.txt"), "second");
  EXPECT_FALSE(platform::restartRequested(*m.machine));
  for (const std::string& name : m.list("C:\\Big"))
    EXPECT_EQ(name, "a.txt") << "a file half-written beside it";
  expectTheSetsRegistryAfterTheNextStart();
}

// A.zip spanned over the three disks, then B.zip on the last one only: the
// restore starts on the first disk, which does not show B.zip, and still
// restores it once A.zip has brought the last disk into the drive.
struct ArchiveOnlyOnALaterDisk : RegistryAndOtherFiles {
  void SetUp() override { makeTheSet(true); }
};

TEST_F(ArchiveOnlyOnALaterDisk, IsRestoredFromTheDiskItIsOn) {
  answerTheDisksOfA();
  m.ui.expect("Please remove disk from disk drive and quit all applications.", "OK");
  restore();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.read("C:\\Big\\a.txt"), big);
  EXPECT_EQ(m.read("C:\\Data\\b.txt"), "second");
}

}  // namespace
}  // namespace restore_test
