// Trees written as NT hives and read back, and the layout rules the written
// files must keep.

#include <gtest/gtest.h>

#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/registry_error.h"
#include "tests/platform_registry_hive/nt_hive_inspect.h"
#include "tests/platform_registry_hive/nt_hive_sample_trees.h"
#include "tests/support/registry_file.h"

namespace {

using namespace platform::registry;
using namespace hive_inspect;

std::vector<uint8_t> write(const RegistryTree& tree, uint32_t minor) {
  NtHiveWriteOptions options;
  options.minorVersion = minor;
  options.lastWrite = hive_samples::kSampleTime;
  return writeNtHive(tree, options);
}

RegistryTree read(const std::vector<uint8_t>& hive, NtHiveInfo* info = nullptr) {
  return readNtHive(hive.data(), hive.size(), info);
}

class NtHiveVersions : public ::testing::TestWithParam<uint32_t> {};

TEST_P(NtHiveVersions, SampleTreeComesBackWithNamesTimesClassesAndSecurity) {
  RegistryTree tree = hive_samples::sampleTree();
  std::vector<uint8_t> hive = write(tree, GetParam());
  NtHiveInfo info;
  RegistryTree back = read(hive, &info);
  EXPECT_EQ(describeDifference(tree.root, back.root), "");
  EXPECT_EQ(back.stringEncoding, StringEncoding::Utf16le);
  EXPECT_EQ(info.minorVersion, GetParam());
  EXPECT_TRUE(info.clean);
  EXPECT_TRUE(info.checksumValid);
  EXPECT_EQ(back.root.name, "$$$PROTO.HIV");

  const RegistryKey* app = back.root.findPath("Software\\Vendor\\App");
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->lastWrite, hive_samples::kSampleTime + 1000);
  EXPECT_EQ(app->className, "AppClass");
  EXPECT_EQ(back.root.findPath("Software\\Äpfel\\Жuk")->className, "Класс");
  // Keys without a descriptor get the default one; a given one is kept.
  EXPECT_EQ(app->securityDescriptor.size(), 120u);
  EXPECT_EQ(back.root.findPath("Software\\Äpfel\\Жuk")->securityDescriptor,
            tree.root.findPath("Software\\Äpfel\\Жuk")->securityDescriptor);
  // Keys without their own time take the option's.
  EXPECT_EQ(back.root.findPath("Software")->lastWrite, hive_samples::kSampleTime);
}

TEST_P(NtHiveVersions, BigValuesUseDataSegmentsOnlyFromVersion4) {
  RegistryTree tree = hive_samples::bigValueTree();
  std::vector<uint8_t> hive = write(tree, GetParam());
  EXPECT_EQ(describeDifference(tree.root, read(hive).root), "");
  std::vector<uint32_t> bigData = cellsWithSignature(hive, "db");
  if (GetParam() < 4) {
    EXPECT_TRUE(bigData.empty());
    return;
  }
  // JustOver, Large and Huge; the 16344-byte value still fits one cell.
  ASSERT_EQ(bigData.size(), 3u);
  std::vector<uint16_t> segments;
  for (uint32_t cell : bigData) segments.push_back(u16At(hive, recordAt(cell) + 2));
  EXPECT_EQ(segments, (std::vector<uint16_t>{2, 4, 19}));
}

TEST_P(NtHiveVersions, ManySubkeysAreSplitIntoSortedLeavesUnderAnIndexRoot) {
  RegistryTree tree = hive_samples::manySubkeysTree(3000);
  std::vector<uint8_t> hive = write(tree, GetParam());
  RegistryTree back = read(hive);
  EXPECT_EQ(describeDifference(tree.root, back.root), "");

  std::vector<uint32_t> roots = cellsWithSignature(hive, "ri");
  ASSERT_EQ(roots.size(), 1u);
  const char* leafKind = GetParam() >= 5 ? "lh" : "lf";
  EXPECT_TRUE(cellsWithSignature(hive, GetParam() >= 5 ? "lf" : "lh").empty());
  uint16_t leafCount = u16At(hive, recordAt(roots[0]) + 2);
  uint32_t total = 0;
  for (uint16_t i = 0; i < leafCount; ++i) {
    uint32_t leaf = u32At(hive, recordAt(roots[0]) + 4 + 4 * i);
    EXPECT_EQ(std::memcmp(&hive[recordAt(leaf)], leafKind, 2), 0);
    uint16_t entries = u16At(hive, recordAt(leaf) + 2);
    EXPECT_LE(entries, 500);
    total += entries;
  }
  EXPECT_EQ(total, 3000u);
  // Read in list order, the names ascend by their upper-cased form.
  const auto& subkeys = back.root.findPath("Parent")->subkeys;
  for (size_t i = 1; i < subkeys.size(); ++i) {
    std::string a = subkeys[i - 1].name, b = subkeys[i].name;
    for (auto* s : {&a, &b})
      for (auto& c : *s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_LT(a, b);
  }
}

INSTANTIATE_TEST_SUITE_P(Minor, NtHiveVersions, ::testing::Values(3u, 4u, 5u));

TEST(NtHiveWrite, SubkeysAreOrderedByUpperCasedUtf16Name) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  for (const char* name : {"Ä", "_", "b", "a1", "A", "ж", "Z"}) tree.root.ensurePath(name);
  RegistryTree back = read(write(tree, 5));
  std::vector<std::string> order;
  for (const auto& key : back.root.subkeys) order.push_back(key.name);
  // '_' (0x5F) sorts after the letters once they are upper-cased; 'ж' sorts
  // as 'Ж' (U+0416).
  EXPECT_EQ(order, (std::vector<std::string>{"A", "a1", "b", "Z", "_", "Ä", "ж"}));
}

TEST(NtHiveWrite, BaseBlockRootAndBinsFollowTheFormat) {
  NtHiveWriteOptions options;
  options.minorVersion = 5;
  options.fileName = "\\Device\\HarddiskVolume1\\WINDOWS\\system32\\config\\software";
  options.lastWrite = hive_samples::kSampleTime;
  std::vector<uint8_t> hive = writeNtHive(hive_samples::sampleTree(), options);
  EXPECT_EQ(std::memcmp(hive.data(), "regf", 4), 0);
  EXPECT_EQ(u32At(hive, 4), u32At(hive, 8));
  EXPECT_EQ(u32At(hive, 40) + 4096, hive.size());
  EXPECT_EQ(u32At(hive, 40) % 4096, 0u);
  EXPECT_EQ(u32At(hive, 508), platform::registry::nt_hive::baseBlockChecksum(hive.data()));
  NtHiveInfo info;
  read(hive, &info);
  // The field keeps the path's last 31 characters and a terminating NUL.
  EXPECT_EQ(info.fileName, "INDOWS\\system32\\config\\software");
}

TEST(NtHiveWrite, RootKeyIsFlaggedAsHiveEntry) {
  std::vector<uint8_t> hive = write(hive_samples::sampleTree(), 3);
  size_t root = recordAt(u32At(hive, 36));
  EXPECT_EQ(std::memcmp(&hive[root], "nk", 2), 0);
  EXPECT_EQ(u16At(hive, root + 2), 0x2C);
  EXPECT_EQ(u32At(hive, root + 16), 0xFFFFFFFFu);
}

TEST(NtHiveWrite, IdenticalDescriptorsShareOneLinkedCountedCell) {
  RegistryTree tree = hive_samples::sampleTree();
  std::vector<uint8_t> own = {1, 0, 4, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  tree.root.findPath("System")->securityDescriptor = own;
  tree.root.findPath("System\\Select")->securityDescriptor = own;
  std::vector<uint8_t> hive = write(tree, 5);
  std::vector<uint32_t> cells = cellsWithSignature(hive, "sk");
  ASSERT_EQ(cells.size(), 2u);
  std::vector<uint32_t> references;
  for (uint32_t cell : cells) {
    references.push_back(u32At(hive, recordAt(cell) + 12));
    uint32_t other = cell == cells[0] ? cells[1] : cells[0];
    EXPECT_EQ(u32At(hive, recordAt(cell) + 4), other);
    EXPECT_EQ(u32At(hive, recordAt(cell) + 8), other);
  }
  // 9 keys in all: 3 with the own descriptor, 6 with the default one.
  std::sort(references.begin(), references.end());
  EXPECT_EQ(references, (std::vector<uint32_t>{3, 6}));
}

TEST(NtHiveWrite, SmallDataLivesInTheValueRecord) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.setValue({"Dword", kRegDword, {1, 2, 3, 4}});
  tree.root.setValue({"Empty", kRegBinary, {}});
  std::vector<uint8_t> hive = write(tree, 3);
  std::vector<uint32_t> values = cellsWithSignature(hive, "vk");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(u32At(hive, recordAt(values[0]) + 4), 0x80000004u);
  EXPECT_EQ(u32At(hive, recordAt(values[0]) + 8), 0x04030201u);
  EXPECT_EQ(u32At(hive, recordAt(values[1]) + 4), 0x80000000u);
}

TEST(NtHiveWrite, HashLeavesCarryTheUpperCaseNameHash) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.ensurePath("Class");
  std::vector<uint8_t> hive = write(tree, 5);
  std::vector<uint32_t> leaves = cellsWithSignature(hive, "lh");
  ASSERT_EQ(leaves.size(), 1u);
  EXPECT_EQ(u32At(hive, recordAt(leaves[0]) + 8), 0x07B82C9Au);
  hive = write(tree, 3);
  leaves = cellsWithSignature(hive, "lf");
  ASSERT_EQ(leaves.size(), 1u);
  EXPECT_EQ(std::memcmp(&hive[recordAt(leaves[0]) + 8], "Clas", 4), 0);
}

TEST(NtHiveWrite, AnsiTreeStringsAreStoredAsUtf16) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Ansi;
  tree.root.setValue({"Text", kRegSz, {'G', 'r', static_cast<uint8_t>('\xFC'), 0}});
  tree.root.setValue({"Raw", kRegBinary, {'G', 'r', 0xFC, 0}});
  RegistryTree back = read(write(tree, 3));
  EXPECT_EQ(back.root.findValue("Text")->data, hive_samples::utf16z("Grü"));
  EXPECT_EQ(back.root.findValue("Raw")->data, (std::vector<uint8_t>{'G', 'r', 0xFC, 0}));
}

TEST(NtHiveWrite, NamesBeyondTheBasicPlaneSurviveAsSurrogatePairs) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.ensurePath("Smile \xF0\x9F\x98\x80")
      .setValue({"\xF0\x9F\x98\x80", kRegDword, {1, 0, 0, 0}});
  std::vector<uint8_t> hive = write(tree, 5);
  RegistryTree back = read(hive);
  EXPECT_EQ(describeDifference(tree.root, back.root), "");
  // Stored as UTF-16: "Smile " and a surrogate pair, 8 code units.
  std::vector<uint32_t> keys = cellsWithSignature(hive, "nk");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(u16At(hive, recordAt(keys[1]) + 72), 16u);
  EXPECT_EQ(u16At(hive, recordAt(keys[1]) + 2) & 0x20, 0);
}

TEST(NtHiveWrite, RefusesTreesTheFormatCannotHold) {
  RegistryTree tree;
  tree.root.ensurePath("Same");
  tree.root.subkeys.push_back(RegistryKey{});
  tree.root.subkeys.back().name = "SAME";
  EXPECT_THROW(write(tree, 5), corvasta::Error);

  RegistryTree values;
  values.root.values = {{"v", kRegDword, {}}, {"V", kRegDword, {}}};
  EXPECT_THROW(write(values, 5), corvasta::Error);

  RegistryTree longName;
  longName.root.ensurePath(std::string(256, 'x'));
  EXPECT_THROW(write(longName, 5), corvasta::Error);
  EXPECT_THROW(write(RegistryTree{}, 2), corvasta::Error);
}

TEST(NtHiveRead, BadChecksumIsReportedButTolerated) {
  std::vector<uint8_t> hive = write(hive_samples::sampleTree(), 5);
  hive[508] ^= 0x55;
  NtHiveInfo info;
  RegistryTree back = read(hive, &info);
  EXPECT_FALSE(info.checksumValid);
  EXPECT_EQ(describeDifference(hive_samples::sampleTree().root, back.root), "");
}

}  // namespace

namespace {

TEST(NtHiveRead, MissingHostFileIsAnError) {
  EXPECT_THROW(testing_support::readNtHiveFile(std::filesystem::path("/nonexistent/NTUSER.DAT")),
               corvasta::Error);
}

}  // namespace
