// Archives opened in compressed mode: the listing, exactly the checked
// entries extracted to each kind of destination, passwords, and archives
// that are damaged or name places outside their destination.

#include <gtest/gtest.h>

#include "platform/system/journal.h"
#include "tests/extractor_run/extractor_fixture.h"

namespace extractor_test {
namespace {

struct Archives : ExtractorTest {
  void SetUp() override {
    m.write("C:\\Docs\\readme.txt", "docs readme");
    m.write("C:\\Docs\\Sub\\list.txt", "eggs, milk");
    m.write("C:\\Tools\\readme.txt", "tools readme");
    zip("C:\\Backups\\Docs.zip",
        {"C:\\Docs\\readme.txt", "C:\\Docs\\Sub\\list.txt", "C:\\Tools\\readme.txt"});
  }
};

TEST_F(Archives, ListsEveryEntryUnderItsDriveAndCountsThem) {
  open();
  EXPECT_EQ(form->CountLabel, "No Files in Backup File");
  EXPECT_FALSE(form->Button8Enabled);
  browse("C:\\Backups\\Docs.zip");
  EXPECT_EQ(form->Edit1, "C:\\Backups\\Docs.zip");
  EXPECT_EQ(form->CountLabel, "3 of 3 Files in Backup File");
  EXPECT_TRUE(form->Button2Enabled && form->Button3Enabled && form->Button8Enabled);
  EXPECT_GE(nodeOf("C:\\Docs\\Sub\\list.txt"), 0);
  int root = nodeOf("C:\\Docs\\readme.txt");
  while (form->TreeView1.node(root).parent >= 0) root = form->TreeView1.node(root).parent;
  const std::string& text = form->TreeView1.node(root).text;
  EXPECT_EQ(text.substr(text.size() - 5), " (C:)") << text;
  EXPECT_EQ(root, form->TreeView1.Roots().front()) << "C: is the machine's first drive";
  EXPECT_TRUE(form->TreeView1.node(root).expanded);
  EXPECT_FALSE(form->TreeView1.node(form->TreeView1.Roots().back()).expanded)
      << "a root without files stays closed";
  EXPECT_FALSE(form->Button5Enabled) << "no notes file beside the archive";
}

TEST_F(Archives, NotesBesideTheArchiveOpenWithTheirApplication) {
  m.write("C:\\Backups\\Docs-Notes.txt", "what Docs holds");
  open();
  browse("C:\\Backups\\Docs.zip");
  EXPECT_TRUE(form->Button5Enabled);
  form->Button5Click();
  const std::vector<platform::JournalEntry> journal = platform::readJournal(*m.machine);
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal.back().kind, "shell");
  EXPECT_EQ(journal.back().details, "open C:\\Backups\\Docs-Notes.txt in C:\\Backups\\");
  form->CheckBox2Click(false);
  EXPECT_FALSE(form->Button5Enabled);
}

TEST_F(Archives, ExtractsExactlyTheCheckedEntryNotEveryFileOfItsName) {
  open();
  browse("C:\\Backups\\Docs.zip");
  m.files->deleteFile("C:\\Docs\\readme.txt");
  m.write("C:\\Tools\\readme.txt", "changed since");
  check("C:\\Docs\\readme.txt");
  m.ui.expect("1 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.read("C:\\Docs\\readme.txt"), "docs readme");
  EXPECT_EQ(m.read("C:\\Tools\\readme.txt"), "changed since");
  EXPECT_EQ(form->CountLabel, "Extraction Finished");
  m.form->core.WriteResultFile();
  EXPECT_NE(m.read(m.programDir() + "results.txt").find("<<< Ended at"), std::string::npos);
}

TEST_F(Archives, AChosenFolderTakesTheStoredFoldersOnlyWithRecurse) {
  open();
  m.ui.expect("Find the Directory to Extract to.", "C:\\Out");
  form->ComboBox1Change(corvasta::kSpecifyLocation);
  EXPECT_EQ(form->ComboBox1Items.back(), "C:\\Out\\");
  EXPECT_EQ(form->ComboBox1Index, corvasta::kChosenDir);
  EXPECT_TRUE(form->CheckBox1Enabled);
  browse("C:\\Backups\\Docs.zip");
  check("C:\\Docs\\Sub\\list.txt");
  m.ui.expect("1 Files Extracted to C:\\Out\\.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Out\\Docs\\Sub\\list.txt"), "eggs, milk");

  form->CheckBox1 = false;
  m.ui.expect("1 Files Extracted to C:\\Out\\.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Out\\list.txt"), "eggs, milk");
  EXPECT_TRUE(m.ui.finished());
}

// Original Location on a CD: the entry whose folder cannot be made there is
// named in the error list, and the files before and after it are extracted
// and counted.
struct ReadOnlyDrive : ExtractorOn<testing_support::TestProgram> {
  ReadOnlyDrive()
      : ExtractorOn(
            testing_support::MachineBuilder().folder("C:\\Backups").cdromDrive('E', {"disc"})) {}
};

TEST_F(ReadOnlyDrive, AnEntryWhoseFolderCannotBeMadeIsListedAndTheOthersAreCounted) {
  writeRawArchive("C:\\Backups\\Mixed.zip", {{"C:/Data/one.txt", "one", ""},
                                             {"E:/Setup/setup.inf", "[setup]", ""},
                                             {"C:/Data/two.txt", "two", ""}});
  open();
  browse("C:\\Backups\\Mixed.zip");
  form->Button2Click();
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished());
  const std::vector<std::string>& list = m.ui.lastWarningList;
  const auto has = [&](const std::string& line) {
    return std::find(list.begin(), list.end(), line) != list.end();
  };
  EXPECT_TRUE(has("E:\\Setup\\setup.inf")) << testing::PrintToString(list);
  EXPECT_TRUE(has("  (its folder could not be created)")) << testing::PrintToString(list);
  EXPECT_TRUE(has("2 Files Extracted.")) << testing::PrintToString(list);
  EXPECT_EQ(m.read("C:\\Data\\one.txt"), "one");
  EXPECT_EQ(m.read("C:\\Data\\two.txt"), "two");
}

TEST_F(Archives, ASecondExtractionFromTheSameListingTakesOnlyItsOwnCheckedFiles) {
  open();
  m.ui.expect("Find the Directory to Extract to.", "C:\\Out");
  form->ComboBox1Change(corvasta::kSpecifyLocation);
  browse("C:\\Backups\\Docs.zip");
  check("C:\\Docs\\readme.txt");
  m.ui.expect("1 Files Extracted to C:\\Out\\.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Out\\Docs\\readme.txt"), "docs readme");

  m.files->deleteFile("C:\\Out\\Docs\\readme.txt");
  check("C:\\Docs\\readme.txt");  // unchecked again
  check("C:\\Tools\\readme.txt");
  m.ui.expect("1 Files Extracted to C:\\Out\\.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.read("C:\\Out\\Tools\\readme.txt"), "tools readme");
  EXPECT_FALSE(m.exists("C:\\Out\\Docs\\readme.txt"));
}

TEST_F(Archives, TemporaryDirectoryIsTempOnTheProgramsDrive) {
  open();
  form->ComboBox1Change(corvasta::kTemporaryDirectory);
  browse("C:\\Backups\\Docs.zip");
  form->Button2Click();
  EXPECT_EQ(form->Button2Caption, "&Uncheck All Files");
  m.ui.expect("3 Files Extracted to C:\\Temp.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Temp\\Docs\\readme.txt"), "docs readme");
  EXPECT_EQ(m.read("C:\\Temp\\Tools\\readme.txt"), "tools readme");
}

TEST_F(Archives, SpecifyLocationWithoutAFolderAsksAndCancelExtractsNothing) {
  open();
  m.ui.expect("Find the Directory to Extract to.", "Cancel");
  form->ComboBox1Change(corvasta::kSpecifyLocation);
  browse("C:\\Backups\\Docs.zip");
  form->Button2Click();
  m.ui.expect("Find the Directory to Extract to.", "Cancel");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.list("C:\\Out").empty());
  EXPECT_EQ(form->CountLabel, "3 of 3 Files in Backup File") << "no extraction was started";
}

TEST_F(Archives, CheckAllTwiceAndEntireDirectory) {
  open();
  browse("C:\\Backups\\Docs.zip");
  form->Button2Click();
  form->Button2Click();
  EXPECT_EQ(form->Button2Caption, "Check &All Files");
  for (int node : form->TreeView1.FileNodes()) EXPECT_FALSE(form->TreeView1.node(node).checked);

  // A folder selected: the message, nothing changed.
  form->Selected = form->TreeView1.node(nodeOf("C:\\Docs\\readme.txt")).parent;
  m.ui.expect("Please check or uncheck a file in the desired directory first", "OK");
  form->Button3Click();
  for (int node : form->TreeView1.FileNodes()) EXPECT_FALSE(form->TreeView1.node(node).checked);

  m.write("C:\\Docs\\more.txt", "more");
  zip("C:\\Backups\\Docs.zip", {"C:\\Docs\\more.txt"});
  browse("C:\\Backups\\Docs.zip");
  check("C:\\Docs\\more.txt");
  form->Button3Click();
  EXPECT_TRUE(form->TreeView1.node(nodeOf("C:\\Docs\\readme.txt")).checked);
  EXPECT_FALSE(form->TreeView1.node(nodeOf("C:\\Docs\\Sub\\list.txt")).checked)
      << "files of subfolders keep their state";
  EXPECT_FALSE(form->TreeView1.node(nodeOf("C:\\Tools\\readme.txt")).checked);
}

TEST_F(Archives, ADamagedEntryLeavesTheExistingFileAsItWas) {
  writeRawArchive("C:\\Backups\\Bad.zip", {{"C:/Docs/readme.txt", "the new file", ""}});
  // One stored byte changed: the entry's CRC no longer fits.
  std::string bad = m.read("C:\\Backups\\Bad.zip");
  bad[bad.find("the new file")] = 'T';
  m.write("C:\\Backups\\Bad.zip", bad);
  m.write("C:\\Docs\\readme.txt", "the old file");
  open();
  browse("C:\\Backups\\Bad.zip");
  check("C:\\Docs\\readme.txt");
  m.ui.expect("0 Files Extracted.", "OK");
  m.ui.expect("C:\\Backups\\Bad.zip: ", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\readme.txt"), "the old file");
  for (const std::string& name : m.list("C:\\Docs")) EXPECT_EQ(name.find("~cv"), std::string::npos);
}

TEST_F(Archives, ATruncatedArchiveListsWhatCanBeSalvaged) {
  std::string whole = m.read("C:\\Backups\\Docs.zip");
  // The central directory and end record cut off.
  m.write("C:\\Backups\\Cut.zip",
          whole.substr(0, whole.rfind("PK\x01\x02", whole.find("PK\x01\x02"))));
  m.files->deleteFile("C:\\Docs\\readme.txt");
  open();
  m.ui.expect("Select a Corvasta Backup File", "C:\\Backups\\Cut.zip");
  m.ui.expect("Click Cancel to read only the files on this disk or to quit.", "Cancel");
  form->Button7Click();
  EXPECT_EQ(form->CountLabel, "3 of 3 Files in Backup File");
  check("C:\\Docs\\readme.txt");
  // Opened again to extract, the archive is asked about again.
  m.ui.expect("End of Zip File not Found", "Cancel");
  m.ui.expect("1 Files Extracted.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\readme.txt"), "docs readme");
}

TEST_F(Archives, OverlappingEntriesAreRefusedWithTheArchivesName) {
  writeRawArchive("C:\\Backups\\overlap.zip",
                  {{"C:/Docs/one.txt", "first entry", ""}, {"C:/Docs/two.txt", "second", ""}});
  std::string bytes = m.read("C:\\Backups\\overlap.zip");
  // The second central header's local offset points at the first entry.
  const size_t second = bytes.find("PK\x01\x02", bytes.find("PK\x01\x02") + 4);
  ASSERT_NE(second, std::string::npos);
  for (size_t i = 0; i < 4; ++i) bytes[second + 42 + i] = 0;
  m.write("C:\\Backups\\overlap.zip", bytes);
  m.write("C:\\Docs\\one.txt", "kept");
  open();
  form->ComboBox1Change(corvasta::kOriginalLocation);
  m.ui.expect("Select a Corvasta Backup File", "C:\\Backups\\overlap.zip");
  m.ui.expect("C:\\Backups\\overlap.zip", "OK");
  form->Button7Click();
  EXPECT_FALSE(form->Button8Enabled) << "the directory is refused as it is read";
  EXPECT_TRUE(form->TreeView1.FileNodes().empty());
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Docs\\one.txt"), "kept");
  EXPECT_FALSE(m.exists("C:\\Docs\\two.txt"));
}

TEST_F(Archives, NotAnArchiveIsNamedAndListsNothing) {
  m.write("C:\\Backups\\notes.zip", std::string(300, 'x'));
  open();
  m.ui.expect("Select a Corvasta Backup File", "C:\\Backups\\notes.zip");
  m.ui.expect("End of Zip File not Found", "Cancel");
  m.ui.expect("C:\\Backups\\notes.zip", "OK");
  form->Button7Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(form->CountLabel, "No Files in Backup File");
  EXPECT_FALSE(form->Button8Enabled);
  EXPECT_TRUE(form->TreeView1.FileNodes().empty());
}

TEST_F(Archives, AnArchiveWithoutEntriesLeavesTheButtonsDisabled) {
  writeRawArchive("C:\\Backups\\empty.zip", {});
  open();
  browse("C:\\Backups\\empty.zip");
  EXPECT_EQ(form->CountLabel, "No Files in Backup File");
  EXPECT_FALSE(form->Button2Enabled || form->Button3Enabled || form->Button8Enabled);
}

struct HostileArchives : ExtractorTest {};

TEST_F(HostileArchives, AnEntryOutsideItsDestinationAmongTheCheckedStopsEverything) {
  writeRawArchive("C:\\Backups\\evil.zip", {{"C:/Docs/fine.txt", "fine", ""},
                                            {"Docs/../../evil.txt", "evil", ""},
                                            {"Docs/NUL", "device", ""}});
  open();
  browse("C:\\Backups\\evil.zip");
  form->ComboBox1Change(corvasta::kTemporaryDirectory);
  form->Button2Click();
  m.ui.expect("0 Files Extracted to C:\\Temp.", "OK");
  m.ui.expect("C:\\Backups\\evil.zip: Entry", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.exists("C:\\Temp\\Docs\\fine.txt"));
  EXPECT_FALSE(m.exists("C:\\evil.txt"));
}

TEST_F(HostileArchives, FolderEntriesOfOtherToolsAreFoldersAndNamesUnderNoDrive) {
  writeRawArchive("C:\\Backups\\tool.zip",
                  {{"d/", "", ""}, {"d/inner.txt", "inner", ""}, {"E:/Data/x.doc", "x", ""}});
  open();
  browse("C:\\Backups\\tool.zip");
  EXPECT_EQ(form->CountLabel, "3 of 3 Files in Backup File");
  EXPECT_EQ(form->TreeView1.FileNodes().size(), 2u);
  EXPECT_GE(nodeOf("d\\inner.txt"), 0);
  EXPECT_EQ(form->TreeView1.node(form->TreeView1.Roots().back()).text, "E:(Not Present)");
  form->ComboBox1Change(corvasta::kTemporaryDirectory);
  check("d\\inner.txt");
  m.ui.expect("1 Files Extracted to C:\\Temp.", "OK");
  form->Button8Click();
  EXPECT_EQ(m.read("C:\\Temp\\d\\inner.txt"), "inner");
}

TEST_F(HostileArchives, TheCountLabelIsPaintedAtMostEvery50Milliseconds) {
  std::vector<Member> members;
  for (int i = 0; i < 60; ++i)
    members.push_back({"C:/Many/f" + std::to_string(i) + ".txt", "x", ""});
  writeRawArchive("C:\\Backups\\many.zip", members);
  open();
  std::vector<std::string> painted;
  // Every entry takes 10 ms of the program's clock.
  m.form->core.elapsedSeconds = [&] { return m.fakeSeconds += 0.01; };
  form->PaintCountLabel = [&] { painted.push_back(form->CountLabel); };
  browse("C:\\Backups\\many.zip");
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back(), "60 of 60 Files in Backup File");
  EXPECT_LE(painted.size(), 60u / 5 + 2);
  EXPECT_GE(painted.size(), 60u / 6 - 1);
}

struct Passwords : ExtractorTest {
  void SetUp() override {
    writeRawArchive("C:\\Backups\\mixed.zip", {{"C:/Docs/open.txt", "for all", ""},
                                               {"C:/Docs/secret.txt", "hidden", "secret"},
                                               {"C:/Docs/also.txt", "hidden too", "secret"}});
    open();
    form->ComboBox1Change(corvasta::kTemporaryDirectory);
    browse("C:\\Backups\\mixed.zip");
    check("C:\\Docs\\secret.txt");
    check("C:\\Docs\\also.txt");
  }
};

TEST_F(Passwords, AskedAtTheFirstCheckedEncryptedEntry) {
  m.ui.expect("Password Needed", "secret");
  m.ui.expect("2 Files Extracted to C:\\Temp.", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\Temp\\Docs\\secret.txt"), "hidden");
  EXPECT_EQ(m.read("C:\\Temp\\Docs\\also.txt"), "hidden too");
  EXPECT_EQ(m.form->core.Form8.password, "secret");
}

TEST_F(Passwords, AWrongPasswordNamesEveryFileItSkipped) {
  m.ui.expect("Password Needed", "guess");
  m.ui.expect("Wrong Password", "OK");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  const std::vector<std::string>& list = m.ui.lastWarningList;
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), "The following file(s) could not be copied:");
  const auto has = [&](const std::string& line) {
    return std::find(list.begin(), list.end(), line) != list.end();
  };
  EXPECT_TRUE(has("C:\\Docs\\secret.txt"));
  EXPECT_TRUE(has("C:\\Docs\\also.txt"));
  EXPECT_TRUE(has("  (wrong password)"));
  EXPECT_TRUE(has("0 Files Extracted to C:\\Temp."));
  EXPECT_TRUE(m.form->core.Form8.password.empty()) << "the next extraction asks again";
  EXPECT_FALSE(m.exists("C:\\Temp\\Docs\\secret.txt"));
}

TEST_F(Passwords, NoPasswordSkipsTheEncryptedFilesAndSaysWhy) {
  m.ui.expect("Password Needed", "Cancel");
  form->Button8Click();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  const std::vector<std::string>& list = m.ui.lastWarningList;
  EXPECT_NE(std::find(list.begin(), list.end(), "  (no password given)"), list.end());
  EXPECT_FALSE(m.exists("C:\\Temp\\Docs\\also.txt"));
}

}  // namespace
}  // namespace extractor_test
