// Which files CreateArchive takes: files-list modes, exclude masks, the
// archive-bit rules and the archive itself.
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::TZipWriter;

class FilesListTest : public EngineTest {
 protected:
  void SetUp() override {
    file("C:\\DIR\\a.txt", "a");
    file("C:\\DIR\\b.tmp", "b");
    file("C:\\DIR\\noext", "n");
    file("C:\\DIR\\SUB\\c.txt", "c");
    file("C:\\DIR\\SUB\\d.tmp", "d");
    file("C:\\OTHER\\e.tmp", "e");
  }
  std::set<std::string> archiveOf(std::vector<std::string> list, bool recurse,
                                  std::vector<std::string> exclude = {}) {
    if (exists("C:\\out.zip")) fs.deleteFile("C:\\out.zip");
    TZipWriter zip(fs);
    prepare(zip, "C:\\out.zip");
    zip.FilesList = std::move(list);
    zip.ExcludeList = std::move(exclude);
    zip.Recurse = recurse;
    zip.CreateArchive();
    return exists("C:\\out.zip") ? stored("C:\\out.zip") : std::set<std::string>{};
  }
};

TEST_F(FilesListTest, FolderOnlyListProducesNoArchive) {
  TZipWriter zip(fs);
  prepare(zip, "C:\\out.zip");
  zip.FilesList = {"C:\\DIR\\"};
  EXPECT_EQ(zip.CreateArchive(), 0);
  EXPECT_FALSE(exists("C:\\out.zip"));
}

TEST_F(FilesListTest, WildcardTakesOneFolderUnlessRecursing) {
  std::set<std::string> flat = {"C:\\DIR\\a.txt", "C:\\DIR\\b.tmp", "C:\\DIR\\noext"};
  EXPECT_EQ(archiveOf({"C:\\DIR\\*.*"}, false), flat);
  EXPECT_EQ(archiveOf({"|C:\\DIR\\*.*"}, true), flat);
  std::set<std::string> tree = flat;
  tree.insert({"C:\\DIR\\SUB\\c.txt", "C:\\DIR\\SUB\\d.tmp"});
  EXPECT_EQ(archiveOf({">C:\\DIR\\*.*"}, false), tree);
  EXPECT_EQ(archiveOf({"C:\\DIR\\*.*"}, true), tree);
}

TEST_F(FilesListTest, MaskAndSingleFiles) {
  EXPECT_EQ(archiveOf({">C:\\DIR\\*.txt"}, false),
            (std::set<std::string>{"C:\\DIR\\a.txt", "C:\\DIR\\SUB\\c.txt"}));
  EXPECT_EQ(archiveOf({"C:\\DIR\\a.txt", "C:\\DIR\\missing.txt", "C:\\DIR\\A.TXT"}, false),
            (std::set<std::string>{"C:\\DIR\\a.txt"}));
}

TEST_F(FilesListTest, ExcludeMasks) {
  std::vector<std::string> everything = {">C:\\*.*"};
  auto noTmp = archiveOf(everything, false, {"*.tmp"});
  EXPECT_EQ(noTmp,
            (std::set<std::string>{"C:\\DIR\\a.txt", "C:\\DIR\\noext", "C:\\DIR\\SUB\\c.txt"}));
  // A mask with a folder is matched against the full path.
  auto noDirTmp = archiveOf(everything, false, {"C:\\DIR\\*.tmp"});
  EXPECT_FALSE(noDirTmp.count("C:\\DIR\\b.tmp"));
  EXPECT_FALSE(noDirTmp.count("C:\\DIR\\SUB\\d.tmp"));
  EXPECT_TRUE(noDirTmp.count("C:\\OTHER\\e.tmp"));
  // "|" keeps the mask to its own folder.
  auto ownFolder = archiveOf(everything, false, {"|C:\\DIR\\*.tmp"});
  EXPECT_FALSE(ownFolder.count("C:\\DIR\\b.tmp"));
  EXPECT_TRUE(ownFolder.count("C:\\DIR\\SUB\\d.tmp"));
  // ">" with a folder applies below that folder only.
  auto below = archiveOf(everything, false, {">C:\\DIR\\*.TMP"});
  EXPECT_FALSE(below.count("C:\\DIR\\SUB\\d.tmp"));
  EXPECT_TRUE(below.count("C:\\OTHER\\e.tmp"));
  // By the scope rule the mask is the whole path: a named file is that one
  // file, not every file of its name below, and "*" in a folder part crosses
  // folders.
  auto oneFile = archiveOf(everything, false, {">C:\\DIR\\c.txt"});
  EXPECT_TRUE(oneFile.count("C:\\DIR\\SUB\\c.txt"));
  auto anyFolder = archiveOf(everything, false, {">C:\\*\\SUB\\*"});
  EXPECT_FALSE(anyFolder.count("C:\\DIR\\SUB\\c.txt"));
  EXPECT_TRUE(anyFolder.count("C:\\DIR\\a.txt"));
  // ">" without a folder matches the name in every folder.
  auto anyTmp = archiveOf(everything, false, {">*.tmp"});
  EXPECT_FALSE(anyTmp.count("C:\\OTHER\\e.tmp"));
}

TEST_F(FilesListTest, TheArchiveItselfIsNeverAdded) {
  TZipWriter zip(fs);
  prepare(zip, "C:\\DIR\\self.zip");
  zip.FilesList = {"C:\\DIR\\*.*"};
  EXPECT_EQ(zip.CreateArchive(), 3);
  zip.FilesList = {"C:\\DIR\\*.*"};
  file("C:\\DIR\\a.txt", "changed", kNewTime);
  EXPECT_EQ(zip.CreateArchive(), 1);
  EXPECT_FALSE(stored("C:\\DIR\\self.zip").count("C:\\DIR\\self.zip"));
}

TEST_F(FilesListTest, ArchiveBitSkippingAndClearing) {
  for (const char* name : {"C:\\DIR\\a.txt", "C:\\DIR\\b.tmp", "C:\\DIR\\noext"})
    fs.setAttributes(name, archive::dosattr::kNormal);
  TZipWriter zip(fs);
  prepare(zip, "C:\\out.zip");
  zip.FilesList = {"C:\\DIR\\*.*"};
  zip.SkipIfArchiveBitNotSet = true;
  EXPECT_EQ(zip.CreateArchive(), 0);
  EXPECT_FALSE(exists("C:\\out.zip"));

  fs.setAttributes("C:\\DIR\\a.txt", archive::dosattr::kArchive | archive::dosattr::kHidden);
  zip.ResetArchiveBitOnZip = true;
  EXPECT_EQ(zip.CreateArchive(), 1);
  EXPECT_EQ(*fs.attributes("C:\\DIR\\a.txt"), archive::dosattr::kHidden);
  EXPECT_EQ(stored("C:\\out.zip"), (std::set<std::string>{"C:\\DIR\\a.txt"}));
}

}  // namespace
}  // namespace archive_test
