// Where a session's parts go and what its header holds: the empty tree, the
// name and record rules, a directory of two sectors, a second session, and
// empty files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cdengine/IsoHeader.h"
#include "cdengine/IsoLayout.h"
#include "cdengine/IsoNames.h"
#include "cdengine/IsoTree.h"
#include "tests/cdengine/iso_machine.h"

namespace cdengine_test {
namespace {

using cdengine::FileFacts;
using cdengine::IsoTree;
using cdengine::layOutImage;

std::vector<uint8_t> headerOf(IsoTree& tree, const cdengine::IsoLayout& layout) {
  return cdengine::buildImageHeader(tree, layout, {}, {});
}

TEST(IsoLayout, AnEmptyTreeHasDescriptorsOneSectorEachAndPaddingTo150) {
  IsoTree tree;
  const auto layout = layOutImage(tree, 0, true);
  EXPECT_EQ(layout.primaryDescriptor, 16u);
  EXPECT_EQ(layout.jolietDescriptor, 17u);
  EXPECT_EQ(layout.terminator, 18u);
  EXPECT_EQ(layout.isoPathTableL, 19u);
  EXPECT_EQ(layout.isoPathTableM, 20u);
  EXPECT_EQ(layout.jolietPathTableL, 21u);
  EXPECT_EQ(layout.jolietPathTableM, 22u);
  EXPECT_EQ(layout.isoDirectoryArea, 23u);
  EXPECT_EQ(layout.jolietDirectoryArea, 24u);
  EXPECT_EQ(layout.fileArea, 150u);
  EXPECT_EQ(layout.volumeSpaceSize, 150u);
  EXPECT_EQ(cdengine::trackSize(layout, true), 300u);
  EXPECT_EQ(cdengine::trackSize(layout, false), 150u);

  const std::vector<uint8_t> header = headerOf(tree, layout);
  ASSERT_EQ(header.size(), 150u * 2048);
  const auto pvd = sectorOf(header, 16);
  EXPECT_EQ(pvd[0], 1);
  EXPECT_EQ(std::memcmp(&pvd[1], "CD001", 5), 0);
  EXPECT_EQ(le32At(pvd, 80), 150u);
  EXPECT_EQ(be32At(pvd, 84), 150u);
  EXPECT_EQ(le32At(pvd, 132), 10u);  // the root's path-table record alone
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pvd[813]), 16), "1899123000000000");
  EXPECT_EQ(le32At(pvd, 156 + 2), 23u);
  EXPECT_EQ(le32At(pvd, 156 + 10), 2048u);
  const auto svd = sectorOf(header, 17);
  EXPECT_EQ(svd[0], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&svd[88]), 3), "%/@");
  EXPECT_EQ(le32At(svd, 156 + 2), 24u);
  EXPECT_EQ(sectorOf(header, 18)[0], 255);
  // "." and ".." of the root, pointing at the root.
  const auto records = sectorOf(header, 23);
  EXPECT_EQ(records[0], 34);
  EXPECT_EQ(le32At(records, 2), 23u);
  EXPECT_EQ(records[34], 34);
  EXPECT_EQ(records[34 + 33], 1);
  EXPECT_EQ(records[68], 0);
}

TEST(IsoLayout, NamesAndRecordLengthsFollowTheRules) {
  EXPECT_EQ(cdengine::directoryIsoName("Program Files"), "PROGRAM_FILES");
  EXPECT_EQ(cdengine::directoryIsoName("a{b}c~d.e"), "A_B_C_D.E");
  EXPECT_EQ(cdengine::directoryIsoName("Documents and Settings"), "DOCUMENTS_AND");
  EXPECT_EQ(cdengine::directoryRecordLength(cdengine::isoIdentifier("ABCDEFGH", true).size()), 44u);
  EXPECT_EQ(cdengine::directoryRecordLength(9), 42u);

  IsoTree tree;
  ASSERT_EQ(tree.enterFile(tree.root(), fileFacts("README", 5), false),
            cdengine::EnterResult::Entered);
  const cdengine::TFEntry& readme = *tree.root().entries.front();
  EXPECT_EQ(readme.longName, "README.");
  EXPECT_EQ(cdengine::isoIdentifier(readme.isoName, true), "README.;1");
  const auto joliet = cdengine::jolietIdentifier(readme.longName, true);
  // Readers that keep trailing dots would show the Joliet name as "README.".
  EXPECT_EQ(cdengine::ansiFromUcs2BigEndian(joliet.data(), joliet.size()), "README;1");
  const auto withExtension = cdengine::jolietIdentifier("notes.txt", true);
  EXPECT_EQ(cdengine::ansiFromUcs2BigEndian(withExtension.data(), withExtension.size()),
            "notes.txt;1");
  const auto folder = cdengine::jolietIdentifier("Folder", false);
  EXPECT_EQ(cdengine::ansiFromUcs2BigEndian(folder.data(), folder.size()), "Folder");
}

TEST(IsoLayout, RecordsThatPassASectorMakeTheDirectoryTwoSectorsLong) {
  IsoTree tree;
  // 68 bytes of "." and "..", then records of 48 bytes (8.3 names of 12
  // characters and ";1": 33 + 14 + a pad byte): 41 of them end at 2036.
  for (int i = 0; i < 42; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "FILE%04d.TXT", i);
    ASSERT_EQ(tree.enterFile(tree.root(), fileFacts(name, 1), false),
              cdengine::EnterResult::Entered);
  }
  EXPECT_EQ(cdengine::directoryRecordsBytes(tree.root(), false), 4096u);
  const auto layout = layOutImage(tree, 0, true);
  const auto header = headerOf(tree, layout);
  const auto second = sectorOf(header, layout.isoDirectoryArea + 1);
  ASSERT_EQ(second[0], 48);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&second[33]), 14), "FILE0041.TXT;1");
  // The first sector's tail after its last whole record is zero.
  const auto first = sectorOf(header, layout.isoDirectoryArea);
  EXPECT_EQ(first[68 + 41 * 48], 0);
}

TEST(IsoLayout, ASecondSessionStartsItsDescriptorsAndFilesAtItsOwnStart) {
  IsoTree tree;
  tree.enterFile(tree.root(), fileFacts("A.TXT", 3000), false);
  tree.enterFile(tree.root(), fileFacts("EMPTY.TXT", 0), false);
  tree.enterFile(tree.root(), fileFacts("B.TXT", 10), false);
  const auto layout = layOutImage(tree, 1000, true);
  EXPECT_EQ(layout.primaryDescriptor, 1016u);
  EXPECT_EQ(layout.fileArea, layout.jolietDirectoryArea + 1);  // no padding above 150
  const auto& entries = tree.root().entries;
  EXPECT_EQ(layout.isoLocationOf(*entries[0]), layout.fileArea);
  EXPECT_EQ(layout.isoLocationOf(*entries[1]), 0u);  // an empty file lies nowhere
  EXPECT_EQ(layout.isoLocationOf(*entries[2]), layout.fileArea + 2);
  EXPECT_EQ(layout.volumeSpaceSize, layout.fileArea + 3);
  EXPECT_EQ(cdengine::trackSize(layout, true), 300u);

  const auto header = headerOf(tree, layout);
  EXPECT_EQ(header.size(), size_t{layout.fileArea - 1000} * 2048);
  EXPECT_EQ(sectorOf(header, 16)[0], 1);  // the stream's first byte is sector 1000
}

TEST(IsoLayout, PathTableOrderIsLevelThenParentThenIsoName) {
  IsoTree tree;
  const platform::SystemTime now;
  tree.createDir("\\Zeta\\Inner", now);
  tree.createDir("\\Alpha", now);
  tree.createDir("\\Alpha\\Beta", now);
  const auto layout = layOutImage(tree, 0, false);
  std::vector<std::string> order;
  for (const cdengine::TDEntry* d : layout.pathTableOrder) order.push_back(d->isoName);
  EXPECT_EQ(order, (std::vector<std::string>{"CD_ROOT", "ALPHA", "ZETA", "BETA", "INNER"}));
  EXPECT_EQ(tree.findDir("\\zeta\\inner")->number, 5u);
  EXPECT_EQ(tree.findDir("\\ZETA\\INNER\\")->parent->number, 3u);
  EXPECT_EQ(layout.jolietDirectoryArea, 0u);
}

}  // namespace
}  // namespace cdengine_test
