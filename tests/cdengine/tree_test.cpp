// Entering files and directories: replacing, the name limits of the records,
// unique ISO names, sizes that 32 bits cannot hold, table limits, and
// removing directories.
#include <gtest/gtest.h>

#include <string>

#include "cdengine/IsoLayout.h"
#include "cdengine/IsoTree.h"
#include "tests/cdengine/iso_machine.h"

namespace cdengine_test {
namespace {

using cdengine::EnterResult;
using cdengine::FileFacts;
using cdengine::IsoTree;

struct Messages {
  std::vector<std::string> texts;
  cdengine::DebugMessage sink() {
    return [this](const std::string& text, cdengine::DebugType) { texts.push_back(text); };
  }
};

TEST(IsoTree, ReplacingAFileKeepsOneEntryCountedOnce) {
  IsoTree tree;
  ASSERT_EQ(tree.enterFile(tree.root(), fileFacts("a.txt", 5000, "C:\\one\\a.txt"), true),
            EnterResult::Entered);
  ASSERT_EQ(tree.enterFile(tree.root(), fileFacts("A.TXT", 100, "C:\\two\\A.TXT"), true),
            EnterResult::Entered);
  ASSERT_EQ(tree.root().entries.size(), 1u);
  EXPECT_EQ(tree.root().entries[0]->sourcePath, "C:\\two\\A.TXT");
  EXPECT_EQ(tree.root().entries[0]->isoSize, 100u);
  EXPECT_EQ(tree.fileAreaSectors(), 1u);
  // Without replace the second is refused and the first stays.
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts("a.txt", 7, "C:\\three\\a.txt"), false),
            EnterResult::Refused);
  EXPECT_EQ(tree.root().entries[0]->sourcePath, "C:\\two\\A.TXT");
}

TEST(IsoTree, ReplacingAnImportedFileCountsTheNewDataAndNothingElse) {
  IsoTree tree;
  FileFacts old = fileFacts("data.bin", 10 * 2048);
  old.sourcePath.clear();
  old.location = 5000;
  tree.enterFile(tree.root(), old, true);
  EXPECT_EQ(tree.fileAreaSectors(), 0u);  // its data is on the disc already
  tree.enterFile(tree.root(), fileFacts("data.bin", 3 * 2048), true);
  EXPECT_FALSE(tree.root().entries[0]->imported);
  EXPECT_EQ(tree.fileAreaSectors(), 3u);
  const auto layout = cdengine::layOutImage(tree, 0, true);
  EXPECT_EQ(layout.volumeSpaceSize, 150u + 3u);
}

TEST(IsoTree, NamesWhoseRecordsWouldPass255BytesAreRefused) {
  Messages messages;
  IsoTree tree(messages.sink());
  // A file's Joliet record: 33 + 2 x (name + ";1") + 1 pad.
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts(std::string(104, 'a') + ".txt", 1), false),
            EnterResult::Entered);  // 108 characters: 254 bytes
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts(std::string(105, 'b') + ".txt", 1), false),
            EnterResult::Refused);  // 109 characters: 256 bytes
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts(std::string(106, 'c') + ".txt", 1), false),
            EnterResult::Refused);  // 110: the name limit
  EXPECT_FALSE(messages.texts.empty());
  const platform::SystemTime now;
  EXPECT_NE(tree.createDir("\\" + std::string(110, 'd'), now), nullptr);  // 33 + 220 + 1
  EXPECT_EQ(tree.createDir("\\" + std::string(111, 'e'), now), nullptr);
  EXPECT_EQ(tree.dirCount(), 1u);
}

TEST(IsoTree, ClashingIsoNamesGetATildeTailWithinTheirLength) {
  IsoTree tree;
  const platform::SystemTime now;
  cdengine::TDEntry* first = tree.createDir("\\Program Files One", now);
  cdengine::TDEntry* second = tree.createDir("\\Program Files Two", now);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->isoName, "PROGRAM_FILES");
  EXPECT_EQ(second->isoName, "PROGRAM_FIL~1");
  FileFacts a = fileFacts("Long name one.txt", 1);
  a.shortName = "LONGNA~1.TXT";
  FileFacts b = fileFacts("LONGNA~1.TXT", 1);  // another folder's alias, now beside it
  tree.enterFile(tree.root(), a, false);
  tree.enterFile(tree.root(), b, false);
  std::vector<std::string> names;
  for (const cdengine::TFEntry* e : tree.root().entries)
    if (!e->isDirectory()) names.push_back(e->isoName);
  EXPECT_EQ(names, (std::vector<std::string>{"LONGNA~1.TXT", "LONGNA~2.TXT"}));
  // Joliet names stay as they were given.
  EXPECT_EQ(second->longName, "Program Files Two");
}

TEST(IsoTree, SizesOf4GiBAndMoreAreRefused) {
  Messages messages;
  IsoTree tree(messages.sink());
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts("big.bin", 0x100000000ull), false),
            EnterResult::Refused);
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts("edge.bin", 0xFFFFFFFFull), false),
            EnterResult::Entered);
  EXPECT_EQ(messages.texts.size(), 1u);
}

TEST(IsoTree, FullTablesRefuseWithTheirMessages) {
  Messages messages;
  IsoTree tree(messages.sink());
  tree.clear(2, 1);
  const platform::SystemTime now;
  EXPECT_NE(tree.createDir("\\one", now), nullptr);
  EXPECT_EQ(tree.createDir("\\two", now), nullptr);
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts("x.txt", 1), false), EnterResult::Entered);
  EXPECT_EQ(tree.enterFile(tree.root(), fileFacts("y.txt", 1), false), EnterResult::Refused);
  EXPECT_EQ(messages.texts, (std::vector<std::string>{">>> MAXIMUM DIRECTORIES CAN BE 1",
                                                      "MAXIMUM FILES CAN BE 2"}));
}

TEST(IsoTree, RemovingADirectoryTakesItsTreeAndItsFilesSectors) {
  IsoTree tree;
  const platform::SystemTime now;
  cdengine::TDEntry* inner = tree.createDir("\\Data\\Inner", now);
  tree.enterFile(*inner, fileFacts("a.bin", 4096), false);
  tree.enterFile(tree.root(), fileFacts("keep.bin", 2048), false);
  EXPECT_EQ(tree.fileAreaSectors(), 3u);
  EXPECT_TRUE(tree.removeDir("\\DATA"));
  EXPECT_EQ(tree.dirCount(), 0u);
  EXPECT_EQ(tree.fileCount(), 1u);
  EXPECT_EQ(tree.fileAreaSectors(), 1u);
  EXPECT_EQ(tree.findDir("\\Data\\Inner"), nullptr);
  // The root is only emptied.
  EXPECT_TRUE(tree.removeDir("\\"));
  EXPECT_EQ(tree.fileCount(), 0u);
  EXPECT_NE(tree.findDir(""), nullptr);
  EXPECT_FALSE(tree.removeDir("\\nowhere"));
}

// Names given up by a removal or a replacement are free again: no "~N" tail
// for a directory made again, a file entered again without replacing, or a
// replaced file that keeps its own name.
TEST(IsoTree, NamesGivenUpByRemovingOrReplacingAreFreeAgain) {
  IsoTree tree;
  const platform::SystemTime now;
  tree.createDir("\\Program Files Alpha", now);
  EXPECT_EQ(tree.createDir("\\Program Files Beta", now)->isoName, "PROGRAM_FIL~1");
  ASSERT_TRUE(tree.removeDir("\\Program Files Alpha"));
  EXPECT_EQ(tree.createDir("\\Program Files Gamma", now)->isoName, "PROGRAM_FILES");
  EXPECT_EQ(tree.findDir("\\program files gamma")->longName, "Program Files Gamma");

  FileFacts alias = fileFacts("Long name.txt", 1);
  alias.shortName = "LONGNA~1.TXT";
  ASSERT_EQ(tree.enterFile(tree.root(), alias, true), EnterResult::Entered);
  ASSERT_EQ(tree.enterFile(tree.root(), alias, true), EnterResult::Entered);
  EXPECT_EQ(tree.root().entries.back()->isoName, "LONGNA~1.TXT");

  ASSERT_TRUE(tree.removeDir("\\"));
  EXPECT_EQ(tree.findDir("\\Program Files Gamma"), nullptr);
  EXPECT_EQ(tree.enterFile(tree.root(), alias, false), EnterResult::Entered);
  EXPECT_EQ(tree.root().entries.back()->isoName, "LONGNA~1.TXT");
  EXPECT_EQ(tree.createDir("\\Program Files Beta", now)->isoName, "PROGRAM_FILES");
}

}  // namespace
}  // namespace cdengine_test
