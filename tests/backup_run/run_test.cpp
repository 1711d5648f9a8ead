// Backups of config 1 on sample machines: the set they make, the set
// register and its rotation, the archive bit, the closing message and the
// activity log.

#include <gtest/gtest.h>

#include "archive/ZipReader.h"
#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/disk_swapping_ui.h"

namespace backup_test {
namespace {

using corvasta::kFullBackup;
using testing_support::DiskSwappingProgram;
using testing_support::kSample9xWinConfig;
using testing_support::MachineBuilder;
using testing_support::writeConfig;

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> lowerNames(const std::vector<std::string>& names) {
  std::vector<std::string> result;
  for (const std::string& name : names) result.push_back(lower(name));
  return result;
}

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

struct MeSample : ::testing::Test {
  DiskSwappingProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  std::string firstSet() const { return m.setting("Backup Directories", "1"); }
};

TEST_F(MeSample, ScheduledCompressedBackupMakesTheSetAndTheLogEntry) {
  writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, kSample9xWinConfig);
  m.ui.expect("Backup Finished", "OK");
  m.start({"schedule", "1"});
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();

  const std::string set = firstSet();
  ASSERT_EQ(set.rfind("C:\\Backups\\", 0), 0u) << set;
  EXPECT_EQ(lowerNames(m.list(set)),
            (std::vector<std::string>{"autoexec.baz", "command.coz", "config.syz", "io.syz",
                                      "msdos.syz", "system.cbz"}));
  archive::TZipReader reader(m.form->core.zipFileSystem);
  for (const std::string& name : m.list(set)) {
    reader.SetZipName(set + name);
    EXPECT_TRUE(reader.TestArchive()) << name;
    ASSERT_EQ(reader.EntryCount(), 1) << name;
  }
  EXPECT_EQ(m.setting("Backup Directories", "Short1").rfind("C:\\BACKUPS\\", 0), 0u);
  EXPECT_EQ(m.setting("Last Backup", "Year"), "2004");
  EXPECT_EQ(m.setting("BackupPreferences1", "LastDay"), "3");
  EXPECT_EQ(m.setting("AutoBackup", "switch"), "0");
  EXPECT_FALSE(m.form->core.requests.backup[0]);

  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find(">>> Back up of Config1 started at"), std::string::npos) << log;
  EXPECT_NE(log.find("Destination = " + set), std::string::npos) << log;
  EXPECT_NE(log.find("6 files backed up."), std::string::npos) << log;
  EXPECT_EQ(count(log, "<<< Ended at"), 1u) << log;
}

TEST_F(MeSample, UncompressedCopiesAndReplaceReusesTheTarget) {
  writeConfig(m, 1, "C:\\Mirror\\", 0, corvasta::kReplaceBackup, {1, 2});
  m.start();
  m.form->core.configChecked = {true, false, false, false};
  for (int run = 0; run < 2; ++run) {
    m.ui.expect("Backup Finished", "OK");
    m.form->BitBtn1Click();
  }
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(lowerNames(m.list("C:\\Mirror")),
            (std::vector<std::string>{"autoexec.bat", "config.sys"}));
  EXPECT_EQ(m.read("C:\\Mirror\\AUTOEXEC.BAT"), m.read("C:\\AUTOEXEC.BAT"));
  EXPECT_EQ(m.setting("Backup Directories", "1"), "C:\\Mirror\\");
  EXPECT_EQ(m.setting("Backup Directories", "2"), "@");
}

struct ArchiveBitCase {
  int backupType;
  bool takesFileWithoutArchiveBit;
  bool clearsArchiveBit;
};

class ArchiveBit : public MeSample, public ::testing::WithParamInterface<ArchiveBitCase> {};

TEST_P(ArchiveBit, TypesTakeAndClearAsTheirRulesSay) {
  const ArchiveBitCase& c = GetParam();
  writeConfig(m, 1, "C:\\Backups", 1, c.backupType, {1, 2});
  m.start();
  m.files->setFileAttributes("C:\\AUTOEXEC.BAT", platform::kAttributeArchive);
  m.files->setFileAttributes("C:\\CONFIG.SYS", platform::kAttributeNormal);
  m.ui.expect("Type Name of this Backup:", "Set");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  const std::string set = firstSet();
  const std::vector<std::string> names = lowerNames(m.list(set));
  EXPECT_EQ(names.size(), c.takesFileWithoutArchiveBit ? 2u : 1u);
  EXPECT_EQ(names.front(), "autoexec.baz");
  const bool archiveBit =
      (m.files->getFileAttributes("C:\\AUTOEXEC.BAT") & platform::kAttributeArchive) != 0;
  EXPECT_EQ(archiveBit, !c.clearsArchiveBit);
}

INSTANTIATE_TEST_SUITE_P(
    BackupTypes, ArchiveBit,
    ::testing::Values(ArchiveBitCase{corvasta::kFullBackup, true, true},
                      ArchiveBitCase{corvasta::kIncrementalBackup, false, true},
                      ArchiveBitCase{corvasta::kDifferentialBackup, false, false},
                      ArchiveBitCase{corvasta::kFullArchiveNotReset, true, false}));

struct Rotation : MeSample {
  // Sets named 1 .. n under C:\Backups, each holding one file, registered.
  void makeNumberedSets(int n) {
    m.files->createDirectory("C:\\Backups");
    for (int i = 1; i <= n; ++i) {
      const std::string set = "C:\\Backups\\" + std::to_string(i) + "\\";
      m.files->createDirectory(set);
      m.write(set + "autoexec.baz", std::to_string(i));
      m.setSetting("Backup Directories", std::to_string(i), set);
    }
  }
  std::vector<std::string> registered() const {
    std::vector<std::string> sets;
    for (int i = 1;; ++i) {
      const std::string set = m.setting("Backup Directories", std::to_string(i));
      if (set == "@") return sets;
      sets.push_back(set.substr(11));
    }
  }
  // One run from the button; the name box gets `name`.
  void runOnce(const std::string& name) {
    writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, {1});
    m.setSetting("BackupName", "UseDate", "0");
    m.start();
    m.ui.expect("Type Name of this Backup:", name);
    m.ui.expect("Backup Finished", "OK");
    m.form->BitBtn1Click();
    EXPECT_TRUE(m.ui.finished());
  }
};

TEST_F(Rotation, EleventhSetReplacesTheOldestNotKept) {
  makeNumberedSets(10);
  m.setSetting("BackupPreferences", "MaxNum", "10");
  m.setSetting("BackupPreferences", "Keep", "1");
  runOnce("11");
  EXPECT_EQ(registered(), (std::vector<std::string>{"1\\", "3\\", "4\\", "5\\", "6\\", "7\\", "8\\",
                                                    "9\\", "10\\", "11\\"}));
  EXPECT_FALSE(m.exists("C:\\Backups\\2"));
  EXPECT_TRUE(m.exists("C:\\Backups\\1\\autoexec.baz"));
  EXPECT_TRUE(m.exists("C:\\Backups\\11\\autoexec.baz"));
}

TEST_F(Rotation, LoweredLimitRemovesOneSetAndLeavesTheRest) {
  makeNumberedSets(12);
  m.setSetting("BackupPreferences", "MaxNum", "3");
  runOnce("13");
  EXPECT_EQ(registered(), (std::vector<std::string>{"1\\", "3\\", "13\\", "4\\", "5\\", "6\\",
                                                    "7\\", "8\\", "9\\", "10\\", "11\\", "12\\"}));
  EXPECT_FALSE(m.exists("C:\\Backups\\2"));
  EXPECT_TRUE(m.exists("C:\\Backups\\4"));
}

TEST_F(Rotation, ReplaceOfTheSecondOfFiveMovesItToTheEnd) {
  makeNumberedSets(5);
  writeConfig(m, 1, "C:\\Backups\\2", 1, corvasta::kReplaceBackup, {1});
  m.start();
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_EQ(registered(), (std::vector<std::string>{"1\\", "3\\", "4\\", "5\\", "2\\"}));
  EXPECT_EQ(lower(m.list("C:\\Backups\\2").front()), "autoexec.baz");
  EXPECT_NE(m.read("C:\\Backups\\2\\autoexec.baz"), "2");
}

TEST_F(MeSample, TwoConfigsWithoutErrorsMakeOneMessageAndOneLogEntry) {
  writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, {1});
  writeConfig(m, 2, "C:\\Other", 0, kFullBackup, {2});
  m.start();
  m.form->core.configChecked = {true, true, false, false};
  m.ui.expect("Type Name of this Backup:", "One");
  m.ui.expect("Type Name of this Backup:", "Two");
  m.ui.expect("Backup Finished\r\r2 files backed up.", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find(">>> Back up of Config1 started"), std::string::npos);
  EXPECT_NE(log.find(">>> Back up of Config2 started"), std::string::npos);
  EXPECT_EQ(count(log, "<<< Ended at"), 1u) << log;
  EXPECT_EQ(lower(m.list(m.setting("Backup Directories", "2")).front()), "config.sys");
}

TEST_F(MeSample, FirstConfigWithErrorsShowsTheWarningListThenTheSecondItsMessage) {
  writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, {1, 8});
  writeConfig(m, 2, "C:\\Other", 1, kFullBackup, {2});
  m.start();
  m.files->deleteFile("C:\\WINDOWS\\DOSSTART.BAT");
  m.form->core.configChecked = {true, true, false, false};
  m.ui.expect("Type Name of this Backup:", "One");
  m.ui.expect("Type Name of this Backup:", "Two");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  const std::vector<std::string>& warning = m.ui.lastWarningList;
  ASSERT_GE(warning.size(), 6u);
  EXPECT_EQ(warning[0], "The following file(s) could not be copied:");
  EXPECT_EQ(warning[2], "C:\\WINDOWS\\dosstart.bat");
  EXPECT_EQ(warning[3], "  (not on most computers - please uncheck in WinFiles section)");
  EXPECT_EQ(warning.back(), "1 files backed up.");
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  // Newest entry first: the second config's entry, then the first's.
  EXPECT_EQ(count(log, "<<< Ended at"), 2u) << log;
  EXPECT_LT(log.find("Config2 started"), log.find("Config1 started"));
  EXPECT_NE(log.find("C:\\WINDOWS\\dosstart.bat"), std::string::npos);
}

TEST_F(MeSample, NothingSelectedWritesNothing) {
  writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, {});
  m.start();
  m.ui.expect("Nothing is selected to backup.", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists("C:\\Backups"));
  EXPECT_EQ(firstSet(), "@");
}

TEST_F(MeSample, NoConfigCheckedIsRefused) {
  m.start();
  m.form->core.configChecked = {false, false, false, false};
  m.ui.expect("At least one of the Configs must be checked.", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
}

TEST_F(MeSample, NameBoxCancelCreatesNothing) {
  writeConfig(m, 1, "C:\\Backups", 1, kFullBackup, {1});
  m.start();
  m.ui.expect("Type Name of this Backup:", "Cancel");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists("C:\\Backups"));
  m.ui.expect("Type Name of this Backup:", "Weekly");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_EQ(firstSet(), "C:\\Backups\\Weekly\\");
}

TEST(SmallMachine, CdTargetReportsThatCdWritingIsNotAvailable) {
  DiskSwappingProgram m{MachineBuilder().folder("C:\\TEMP").cdromDrive('E')};
  m.write("C:\\AUTOEXEC.BAT", "@echo off\r\n");
  writeConfig(m, 1, "E:\\", 1, kFullBackup, {1});
  m.start();
  try {
    m.form->BitBtn1Click();
    FAIL() << "no error";
  } catch (const corvasta::Error& error) {
    EXPECT_NE(std::string(error.what()).find("not available"), std::string::npos);
  }
  EXPECT_EQ(m.setting("Backup Directories", "1"), "@");
  EXPECT_TRUE(m.list("E:\\").empty());
}

}  // namespace
}  // namespace backup_test
