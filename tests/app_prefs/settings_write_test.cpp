// Saving the settings: what reaches the file, the refused write, and the
// update of Windows' scanreg.ini.

#include <gtest/gtest.h>

#include "platform/files/file_attributes.h"
#include "tests/support/program_rig.h"

namespace prefs_test {
namespace {

using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(WriteSettings, SavesTheCurrentConfigAndItsChecksInBothSections) {
  TestProgram m;
  m.form->ReadSettings();
  m.form->core.Form8.config.winFilesChecks[3] = 2;
  m.form->core.Form8.configNames[0] = "Daily";
  m.form->core.configChecked = {true, false, true, false};
  m.form->core.loc.userDir = "C:\\WINDOWS\\";
  m.form->WriteSettings();
  EXPECT_EQ(m.setting("BackupPreferences1", "ConfigName"), "Daily");
  EXPECT_EQ(m.setting("BackupPreferences1", "Target"), "C:\\Program Files\\Corvasta\\");
  EXPECT_EQ(m.setting("Checks1", "3"), "2");
  EXPECT_EQ(m.setting("Checks", "3"), "2");
  EXPECT_EQ(m.setting("Checks1", "18"), "0");
  EXPECT_EQ(m.setting("Checks1", "19"), "@");
  EXPECT_EQ(m.setting("BackupPreferences", "Config3"), "1");
  EXPECT_EQ(m.setting("BackupPreferences", "curconfig"), "1");
  EXPECT_EQ(m.setting("AutoBackup3", "Freq"), "5");
  EXPECT_EQ(m.setting("WhichRegistry1", "Previous"), "1");
  EXPECT_EQ(m.setting("Win98 List", "Column2Width"), "166");
  // The password is never stored.
  EXPECT_EQ(m.settingsText().find("assword"), std::string::npos);
}

TEST(WriteSettings, WritesTheUserDirectoryInShortAndLongForm) {
  TestProgram m{MachineBuilder(WindowsVersion::WinXp)};
  m.files->createDirectory("C:\\Documents and Settings");
  m.files->createDirectory("C:\\Documents and Settings\\Long User Name");
  m.form->ReadSettings();
  m.form->core.loc.userDir = "C:\\Documents and Settings\\Long User Name\\";
  m.form->WriteSettings();
  EXPECT_EQ(m.setting("DefaultDirectories", "User"), "C:\\DOCUME~1\\LONGUS~1\\");
  EXPECT_EQ(m.setting("DefaultDirectories", "LongUser"),
            "C:\\Documents and Settings\\Long User Name\\");
}

TEST(WriteSettings, NothingIsWrittenOutsideTheFourConfigs) {
  TestProgram m;
  m.form->core.Form8.curConfig = 0;
  m.form->WriteSettings();
  EXPECT_FALSE(m.files->fileExists(m.form->core.settingsFile()));
}

TEST(WriteSettings, RefusedWriteNamesTheFileAndStopsTheSave) {
  TestProgram m;
  m.writeSettings("[BackupPreferences]\r\nMaxNum=7\r\n");
  m.form->ReadSettings();
  m.form->core.Form8.maxNum = 3;
  m.files->setFileAttributes(m.form->core.settingsFile(), platform::kAttributeReadOnly);
  try {
    m.form->WriteSettings();
    FAIL() << "the save went on";
  } catch (const corvasta::Error& error) {
    EXPECT_STREQ(error.what(), "Unable to write to C:\\Program Files\\Corvasta\\vastel.ini");
  }
  EXPECT_EQ(m.settingsText(), "[BackupPreferences]\r\nMaxNum=7\r\n");
  // Nothing after the refused key was attempted: scanreg.ini was not touched.
  EXPECT_FALSE(m.files->fileExists("C:\\WINDOWS\\scanreg.ini"));
}

class ScanRegUpdate : public ::testing::Test {
 protected:
  ScanRegUpdate() {
    m.form->ReadSettings();
    m.form->core.loc.rootDir = "C:\\";
    m.form->core.loc.systemBackupDir = "C:\\WINDOWS\\Sysbckup\\";
  }
  std::string scanReg() const { return testing_support::readFile(m.host(path)); }
  void writeScanReg(const std::string& text) { testing_support::writeFile(m.host(path), text); }

  const std::string path = "C:\\WINDOWS\\scanreg.ini";
  TestProgram m{MachineBuilder(WindowsVersion::Win98)};
};

TEST_F(ScanRegUpdate, RewritesTheKnownLinesAndAppendsWhatIsMissing) {
  writeScanReg(
      "[Scanreg]\r\nBackup=0\r\nBackupDirectory=D:\\OLD\r\nFiles=31,old.dat\r\n"
      "; comment kept\r\nFiles=10,x\r\n");
  m.files->setFileAttributes(path, platform::kAttributeReadOnly | platform::kAttributeArchive);
  m.form->core.loc.maxBackupCopies = "8";
  m.form->WriteSettings();
  EXPECT_EQ(scanReg(),
            "[Scanreg]\r\nBackup=1\r\nBackupDirectory=C:\\WINDOWS\\Sysbckup\r\n"
            "; comment kept\r\nOptimize=1\r\nMaxBackupCopies=5\r\n"
            "Files=01,C:\\autoexec.bat\r\nFiles=01,C:\\config.sys\r\nFiles=01,C:\\msdos.sys\r\n"
            "Files=01,C:\\command.com\r\nFiles=01,C:\\io.sys\r\nFiles=10,system.cb\r\n"
            "Files=10,protocol.ini\r\n");
}

TEST_F(ScanRegUpdate, KeepsTheDialogsNumberOfCopiesAndWritesNoFilesLinesForUncheckedItems) {
  writeScanReg("Backup=1\r\nOptimize=0\r\nMaxBackupCopies=3\r\n");
  m.form->core.loc.maxBackupCopies = "12";
  for (size_t item = 1; item <= 9; ++item) m.form->core.Form8.config.winFilesChecks[item] = 0;
  m.form->core.Form8.config.winFilesChecks[10] = 1;
  m.form->WriteSettings();
  EXPECT_EQ(scanReg(),
            "Backup=1\r\nOptimize=0\r\nMaxBackupCopies=12\r\n"
            "BackupDirectory=C:\\WINDOWS\\Sysbckup\r\n");
}

TEST_F(ScanRegUpdate, GrayedItemsCountAsChecked) {
  for (size_t item = 1; item <= 9; ++item) m.form->core.Form8.config.winFilesChecks[item] = 0;
  m.form->core.Form8.config.winFilesChecks[8] = 2;
  m.form->WriteSettings();
  EXPECT_EQ(
      scanReg(),
      "Backup=1\r\nOptimize=1\r\nMaxBackupCopies=5\r\nBackupDirectory=C:\\WINDOWS\\Sysbckup\r\n"
      "Files=10,dosstart.bat\r\n");
}

TEST_F(ScanRegUpdate, ReadingTakesTheBackupDirectoryAndTheNumberOfCopies) {
  m.files->createDirectory("C:\\RBACK");
  writeScanReg("BackupDirectory=C:\\RBACK\r\nMaxBackupCopies=7\r\n");
  m.form->core.ReadScanReg();
  EXPECT_EQ(m.form->core.loc.systemBackupDir, "C:\\RBACK\\");
  EXPECT_EQ(m.form->core.loc.maxBackupCopies, "7");

  writeScanReg("BackupDirectory=C:\\GONE\r\nMaxBackupCopies=x7\r\n");
  m.ui.expect("'x7' is not a valid integer value", "OK");
  m.form->core.ReadScanReg();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.form->core.loc.systemBackupDir, "C:\\WINDOWS\\sysbckup\\");
}

}  // namespace
}  // namespace prefs_test
