// Trees written as Windows 9x registry files and read back.
#include <gtest/gtest.h>

#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_layout.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/platform_registry_win9x/win9x_sample_trees.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

using namespace platform::registry;
using namespace win9x_samples;

namespace {

RegistryTree roundTrip(const RegistryTree& tree) {
  std::vector<uint8_t> file = writeWin9xRegistry(tree);
  return readWin9xRegistry(file.data(), file.size());
}

uint32_t dwordAt(const std::vector<uint8_t>& file, size_t offset) {
  return file[offset] | file[offset + 1] << 8 | file[offset + 2] << 16 |
         uint32_t{file[offset + 3]} << 24;
}

}  // namespace

TEST(Win9xRoundTrip, KeepsEveryValueTypeDefaultValuesAndAnsiNames) {
  RegistryTree tree = typicalTree();
  RegistryTree back = roundTrip(tree);
  EXPECT_EQ(describeDifference(tree.root, back.root), "");
  EXPECT_EQ(back.stringEncoding, StringEncoding::Ansi);

  // Data is kept as stored: no NUL added to or taken from strings.
  const RegistryKey* version = back.root.findPath("Software\\Microsoft\\Windows\\CurrentVersion");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->findValue("ProductName")->data, bytes("Microsoft Windows ME"));
  EXPECT_EQ(version->findValue("Short dword")->data.size(), 2u);
  EXPECT_EQ(version->findValue("AllOnes")->type, 0xFFFFFFFFu);
  // Names come back as UTF-8, string data stays Windows-1252.
  const RegistryKey* cafe = back.root.findPath("Software\\Caf\u00E9 \u20AC\\\u00DCbersicht");
  ASSERT_NE(cafe, nullptr);
  EXPECT_EQ(cafe->values[0].name, "Gr\u00F6\u00DFe \u0160");
  EXPECT_EQ(cafe->values[0].data, bytes("\xE9t\xE9"));
}

TEST(Win9xRoundTrip, KeepsTheValuesAndNameOfASavedKeysRoot) {
  RegistryTree tree;
  tree.root.name = "Desktop";
  setValue(tree.root, "", kRegSz, bytes("saved key"));
  setValue(tree.root, "Setting", kRegDword, {7, 0, 0, 0});
  setValue(tree.root.ensurePath("Sub"), "x", kRegBinary, {1});
  RegistryTree back = roundTrip(tree);
  EXPECT_EQ(describeDifference(tree.root, back.root), "");
  EXPECT_EQ(back.root.name, "Desktop");
  tree.root.values.clear();
  EXPECT_EQ(roundTrip(tree).root.name, "Desktop");
}

TEST(Win9xRoundTrip, APlainRootHasNoDataRecord) {
  std::vector<uint8_t> file = writeWin9xRegistry(typicalTree());
  EXPECT_EQ(dwordAt(file, 0x40 + 0x18), 0xFFFFFFFFu);  // root id and block
  EXPECT_EQ(dwordAt(file, 0x40 + 0x0C), 0xFFFFFFFFu);  // and no parent
}

TEST(Win9xRoundTrip, KeepsTheOrderOfSubkeysAndValues) {
  RegistryTree tree;
  for (const char* name : {"Zeta", "alpha", "Mid", "Beta"}) {
    tree.root.ensurePath(name);
    setValue(tree.root.ensurePath("Order"), name, kRegSz, bytes(name));
  }
  RegistryTree back = roundTrip(tree);
  ASSERT_EQ(back.root.subkeys.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(back.root.subkeys[i].name, tree.root.subkeys[i].name);
  const RegistryKey* order = back.root.findSubkey("Order");
  ASSERT_EQ(order->values.size(), 4u);
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(order->values[i].name, tree.root.findSubkey("Order")->values[i].name);
}

TEST(Win9xRoundTrip, HandlesThousandsOfKeysAcrossManyBlocksAndPages) {
  RegistryTree tree = manyKeysTree(6000);
  std::vector<uint8_t> file = writeWin9xRegistry(tree);
  RegistryTree back = readWin9xRegistry(file.data(), file.size());
  EXPECT_EQ(describeDifference(tree.root, back.root), "");
  // 6038 keys need 24 blocks of 255 ids and a key tree of 0x2000 + 40 pages.
  EXPECT_EQ(file[0x10] | file[0x11] << 8, 24);
  EXPECT_EQ(dwordAt(file, 0x24), 0x2000u + 40 * 0x1000u);
}

TEST(Win9xRoundTrip, HandlesAnEmptyTreeAndDeepPaths) {
  RegistryTree empty;
  EXPECT_EQ(describeDifference(empty.root, roundTrip(empty).root), "");

  RegistryTree deep = deepTree(win9x::kMaxKeyDepth);
  RegistryTree back = roundTrip(deep);
  EXPECT_EQ(describeDifference(deep.root, back.root), "");
  std::string path;
  for (size_t level = 0; level < win9x::kMaxKeyDepth; ++level)
    path += "\\Level" + std::to_string(level);
  ASSERT_NE(back.root.findPath(path), nullptr);
  EXPECT_EQ(back.root.findPath(path)->findValue("Bottom")->data, bytes("deep"));

  EXPECT_THROW(writeWin9xRegistry(deepTree(win9x::kMaxKeyDepth + 1)), Win9xRegistryWriteError);
}

TEST(Win9xRoundTrip, StoresValuesUpToWhatOneDataBlockHolds) {
  RegistryTree tree;
  RegistryKey& big = tree.root.ensurePath("Big");
  setValue(big, "Twenty", kRegBinary, patternBytes(20 * 1024, 1));
  setValue(tree.root.ensurePath("Bigger"), "Forty", kRegBinary, patternBytes(40 * 1024, 2));
  // Largest single value: a 64 KB block less its header, the key record
  // header (20), the key name "Max" and the value header (12) and a free record (20).
  setValue(tree.root.ensurePath("Max"), "", kRegSz,
           patternBytes(0x10000 - 32 - 20 - 3 - 12 - 20, 3));
  tree.root.ensurePath("Small").setValue(RegistryValue{"x", kRegDword, {1, 0, 0, 0}});
  std::vector<uint8_t> file = writeWin9xRegistry(tree);
  RegistryTree back = readWin9xRegistry(file.data(), file.size());
  EXPECT_EQ(describeDifference(tree.root, back.root), "");

  // Every data block stays within 64 KB.
  size_t offset = 0x20 + dwordAt(file, 0x24);
  while (offset < file.size()) {
    EXPECT_LE(dwordAt(file, offset + 4), 0x10000u);
    EXPECT_EQ(dwordAt(file, offset + 4) % 0x1000, 0u);
    offset += dwordAt(file, offset + 4);
  }
}

TEST(Win9xRoundTrip, RefusesKeysLargerThanOneDataBlock) {
  RegistryTree oneValue;
  setValue(oneValue.root.ensurePath("Max"), "", kRegSz,
           patternBytes(0x10000 - 32 - 20 - 3 - 12 - 20 + 1, 3));
  EXPECT_THROW(writeWin9xRegistry(oneValue), Win9xRegistryWriteError);

  RegistryTree manyValues;
  RegistryKey& key = manyValues.root.ensurePath("Software\\Full");
  setValue(key, "One", kRegBinary, patternBytes(40000, 1));
  setValue(key, "Two", kRegBinary, patternBytes(40000, 2));
  try {
    writeWin9xRegistry(manyValues);
    FAIL() << "a key of 80 KB was written";
  } catch (const Win9xRegistryWriteError& error) {
    EXPECT_NE(std::string(error.what()).find("Software\\Full"), std::string::npos) << error.what();
  }
}

TEST(Win9xRoundTrip, RefusesTreesWindows9xCannotHold) {
  auto refuses = [](RegistryTree tree) {
    EXPECT_THROW(writeWin9xRegistry(tree), Win9xRegistryWriteError);
  };
  RegistryTree unicode;
  unicode.stringEncoding = StringEncoding::Utf16le;
  refuses(unicode);

  RegistryTree emptyName;
  emptyName.root.subkeys.push_back(RegistryKey{});
  refuses(emptyName);

  RegistryTree backslash;
  backslash.root.subkeys.push_back(RegistryKey{});
  backslash.root.subkeys.back().name = "a\\b";
  refuses(backslash);

  RegistryTree sameKeys;
  sameKeys.root.subkeys.resize(2);
  sameKeys.root.subkeys[0].name = "\u00C9t\u00E9";
  sameKeys.root.subkeys[1].name = "\u00E9T\u00C9";
  refuses(sameKeys);

  RegistryTree sameValues;
  RegistryKey& key = sameValues.root.ensurePath("k");
  key.values = {RegistryValue{"Name", kRegSz, {}}, RegistryValue{"NAME", kRegSz, {}}};
  refuses(sameValues);

  RegistryTree chinese;
  chinese.root.ensurePath("\u4E2D");
  refuses(chinese);

  RegistryTree chineseValue;
  setValue(chineseValue.root.ensurePath("k"), "\u4E2D", kRegSz, {});
  refuses(chineseValue);
}

TEST(Win9xRoundTrip, ReadsAFileFromTheHost) {
  testing_support::TempDir dir;
  std::vector<uint8_t> file = writeWin9xRegistry(typicalTree());
  testing_support::writeFile(dir / "SYSTEM.DAT", std::string(file.begin(), file.end()));
  EXPECT_EQ(describeDifference(typicalTree().root,
                               testing_support::readWin9xRegistryFile(dir / "SYSTEM.DAT").root),
            "");
  EXPECT_THROW(testing_support::readWin9xRegistryFile(dir / "USER.DAT"), RegistryFormatError);
}
