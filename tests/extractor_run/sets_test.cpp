// Backup sets the program made, opened in the Extractor: a compressed
// config 1 set on Windows ME and XP samples, an uncompressed set by its set
// directory and inside it, a plain directory, a set cut into blocks, and one
// spanned over diskettes.

#include <gtest/gtest.h>

#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "tests/extractor_run/extractor_fixture.h"
#include "tests/support/backup_config_settings.h"

namespace extractor_test {
namespace {

using testing_support::MachineBuilder;
using WindowsVersion = platform::WindowsVersion;

// Config 1 with the Docs entry backed up into C:\Backups; the set's path.
template <typename Program>
std::string backUpDocs(Program& m, int compress, const std::string& target = "C:\\Backups") {
  m.write("C:\\Docs\\letter.txt", "Dear reader");
  m.write("C:\\Docs\\Sub\\list.txt", "eggs, milk");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\">*.txt\"\r\n"
      "SubDirectories=1\r\nCheck1=1\r\n");
  testing_support::writeConfig(m, 1, target, compress, corvasta::kFullBackup, {11});
  m.restartProgram();
  m.start();
  m.form->core.configChecked = {true, false, false, false};
  m.ui.expect("Type Name of this Backup:", "Set1");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  return m.setting("Backup Directories", "1");
}

// The set's file whose name starts with `stem` (without case).
std::string fileOfSet(testing_support::ProgramRig& m, const std::string& set,
                      const std::string& stem) {
  for (const std::string& name : m.list(set))
    if (platform::ansiUpper(name).rfind(platform::ansiUpper(stem), 0) == 0) return set + name;
  ADD_FAILURE() << "no " << stem << " in " << set;
  return "";
}

struct SampleSets : ExtractorTest, ::testing::WithParamInterface<WindowsVersion> {
  SampleSets() : ExtractorTest(MachineBuilder::sample(GetParam())) {}
};

TEST_P(SampleSets, ACompressedSetGoesBackToTheOriginalLocation) {
  const std::string set = backUpDocs(m, 1);
  const std::string archive = fileOfSet(m, set, "Docs");
  m.files->deleteFile("C:\\Docs\\letter.txt");
  m.write("C:\\Docs\\Sub\\list.txt", "changed");
  open();
  browse(archive);
  EXPECT_EQ(form->CountLabel, "2 of 2 Files in Backup File");
  form->Button2Click();
  m.ui.expect("2 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");
  EXPECT_EQ(m.read("C:\\Docs\\Sub\\list.txt"), "eggs, milk");
  form->Button1Click();
  EXPECT_EQ(m.setting("Extract Files", "ToIndex"), "0");
  EXPECT_EQ(m.setting("Extract Files", "Compressed"), "1");
}

INSTANTIATE_TEST_SUITE_P(MeAndXp, SampleSets,
                         ::testing::Values(WindowsVersion::WinMe, WindowsVersion::WinXp));

struct Uncompressed : ExtractorTest {
  std::string set;
  void SetUp() override {
    set = backUpDocs(m, 0);
    open();
    form->CheckBox2Click(false);
  }
};

TEST_F(Uncompressed, TheSetDirectoryListsOriginalPathsAndCopiesThemBack) {
  EXPECT_EQ(form->BackupLabel, "&Backup Dir:");
  browse(set);
  EXPECT_EQ(form->ListingBase, set);
  EXPECT_EQ(form->CountLabel, "2 Files in Backup");
  ASSERT_GE(nodeOf("C:\\Docs\\letter.txt"), 0);
  m.files->deleteFile("C:\\Docs\\letter.txt");
  check("C:\\Docs\\letter.txt");
  m.ui.expect("1 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");
}

TEST_F(Uncompressed, AFolderInsideTheSetListsThatPartStillUnderItsDrive) {
  browse(set + "C\\Docs\\Sub");
  EXPECT_EQ(form->ListingBase, set);
  EXPECT_EQ(form->TreeView1.FileNodes().size(), 1u);
  EXPECT_GE(nodeOf("C:\\Docs\\Sub\\list.txt"), 0);
  form->ComboBox1Change(corvasta::kTemporaryDirectory);
  form->Button2Click();
  m.ui.expect("1 Files Extracted to C:\\Temp.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Temp\\C\\Docs\\Sub\\list.txt"), "eggs, milk");
}

struct PlainDirectory : ExtractorTest {
  void SetUp() override {
    m.write("C:\\Data\\Texts\\a.txt", "alpha");
    m.write("C:\\Data\\b.txt", "beta");
    open();
    form->CheckBox2Click(false);
    browse("C:\\Data");
    form->Button2Click();
  }
};

TEST_F(PlainDirectory, IsListedByItsRealPathsAndRefusesTheOriginalLocation) {
  EXPECT_EQ(form->ListingBase, "0");
  EXPECT_GE(nodeOf("C:\\Data\\Texts\\a.txt"), 0);
  m.ui.expect("These files cannot be restored to their Original Location", "OK");
  m.ui.expect("0 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
}

TEST_F(PlainDirectory, CopiesToAFolderBelowTheDriveAndNotOntoItsOwnDrive) {
  m.ui.expect("Find the Directory to Extract to.", "C:\\Out");
  form->ComboBox1Change(corvasta::kSpecifyLocation);
  m.ui.expect("2 Files Extracted to C:\\Out\\.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Out\\Data\\Texts\\a.txt"), "alpha");
  EXPECT_EQ(m.read("C:\\Out\\Data\\b.txt"), "beta");

  m.ui.expect("Find the Directory to Extract to.", "C:\\");
  form->ComboBox1Change(corvasta::kSpecifyLocation);
  m.ui.expect("0 Files Extracted to C:\\.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
}

struct Settings : ExtractorTest {};

TEST_F(Settings, ActivationReadsTheStoredChoicesAndAppliesTheRecurseRule) {
  m.addSettings(
      "[Extract Files]\r\nToIndex=3\r\nToDir=C:\\Out\\\r\nRecurseDir=0\r\nCompressed=0\r\n");
  open();
  EXPECT_EQ(form->ComboBox1Items.size(), 4u);
  EXPECT_EQ(form->ComboBox1Index, corvasta::kChosenDir);
  EXPECT_FALSE(form->CheckBox1);
  EXPECT_FALSE(form->CheckBox1Enabled) << "directory mode";
  EXPECT_EQ(form->BackupLabel, "&Backup Dir:");
  form->CheckBox2Click(true);
  EXPECT_TRUE(form->CheckBox1Enabled);
  form->ComboBox1Change(corvasta::kOriginalLocation);
  EXPECT_TRUE(form->CheckBox1);
  EXPECT_FALSE(form->CheckBox1Enabled);
  form->Button1Click();
  EXPECT_TRUE(form->Closed);
  EXPECT_EQ(m.setting("Extract Files", "ToIndex"), "0");
  EXPECT_EQ(m.setting("Extract Files", "ToDir"), "C:\\Out\\");
  EXPECT_EQ(m.setting("Extract Files", "RecurseDir"), "1");
}

TEST_F(Settings, AnIndexBeyondTheListSelectsTheFirstItem) {
  m.addSettings("[Extract Files]\r\nToIndex=3\r\n");
  open();
  EXPECT_EQ(form->ComboBox1Index, corvasta::kOriginalLocation);
  EXPECT_TRUE(form->CheckBox1);
}

TEST_F(Settings, HelpOpensTopic11) {
  open();
  std::string topic;
  form->ShowHelp = [&](const std::string&, const std::string& t) { topic = t; };
  form->Button4Click();
  EXPECT_EQ(topic, "Topic11");
}

struct Blocks : ExtractorTest {
  void SetUp() override {
    m.write("C:\\Docs\\big.bin", testing_support::randomBytes(300'000, 5));
    m.write("C:\\Docs\\small.txt", "small");
    archive::TZipWriter& engine = m.form->core.Zip2;
    engine.MultiVolumeInfo.MultiMode = archive::mmBlocks;
    engine.MultiVolumeInfo.BlockSize = 100'000;
    engine.MultiVolumeInfo.FirstBlockSize = 100'000;
    zip("C:\\Backups\\docs.zip", {"C:\\Docs\\big.bin", "C:\\Docs\\small.txt"});
    engine.MultiVolumeInfo = {};
    m.files->deleteFile("C:\\Docs\\big.bin");
    m.files->deleteFile("C:\\Docs\\small.txt");
  }
};

TEST_F(Blocks, AnyBlockOpensTheWholeArchive) {
  ASSERT_TRUE(m.exists("C:\\Backups\\docs.004"));
  open();
  form->ComboBox1Change(corvasta::kOriginalLocation);
  browse("C:\\Backups\\docs.002");
  EXPECT_EQ(form->CountLabel, "2 of 2 Files in Backup File");
  form->Button2Click();
  m.ui.expect("2 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\big.bin"), testing_support::randomBytes(300'000, 5));
  EXPECT_EQ(m.read("C:\\Docs\\small.txt"), "small");
}

}  // namespace
}  // namespace extractor_test
