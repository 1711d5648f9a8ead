// Files we write, opened by libcreg's cregexport: it must list the same keys
// (in the same order) and the same values.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/registry/win9x_registry_write.h"
#include "tests/platform_registry_win9x/win9x_sample_trees.h"
#include "tests/support/temp_dir.h"

using namespace platform::registry;
using namespace win9x_samples;

namespace {

// What cregexport prints for a key:
//   Key path: Software\Microsoft
//   Value: 0 ProductName            ("(default)" for the unnamed value)
//   Type: string (REG_SZ)           or "unknown: 0x80000001"
//   Data size: 20
//   Data: 42                        (numbers only, for dword and qword types)
//   00000000: 4d 69 63 ...          (hex dump of the data, for other types)
struct Listing {
  RegistryTree tree;
  std::vector<std::string> keyPaths;  // in the order listed
};

uint32_t typeFromText(const std::string& text) {
  static const std::pair<const char*, uint32_t> kTypes[] = {
      {"(REG_NONE)", kRegNone},
      {"(REG_SZ)", kRegSz},
      {"(REG_EXPAND_SZ)", kRegExpandSz},
      {"(REG_BINARY)", kRegBinary},
      {"(REG_DWORD_LITTLE_ENDIAN)", kRegDword},
      {"(REG_DWORD_BIG_ENDIAN)", kRegDwordBigEndian},
      {"(REG_LINK)", kRegLink},
      {"(REG_MULTI_SZ)", kRegMultiSz},
      {"(REG_RESOURCE_LIST)", kRegResourceList},
      {"(REG_FULL_RESOURCE_DESCRIPTOR)", kRegFullResourceDescriptor},
      {"(REG_RESOURCE_REQUIREMENTS_LIST)", kRegResourceRequirementsList},
      {"(REG_QWORD_LITTLE_ENDIAN)", kRegQword}};
  for (const auto& [name, type] : kTypes)
    if (text.find(name) != std::string::npos) return type;
  size_t unknown = text.find("unknown: 0x");
  if (unknown != std::string::npos)
    return static_cast<uint32_t>(std::stoul(text.substr(unknown + 11), nullptr, 16));
  ADD_FAILURE() << "unexpected type text: " << text;
  return kRegNone;
}

// Numbers cregexport prints in decimal instead of a dump, back to bytes.
std::vector<uint8_t> numberBytes(uint32_t type, const std::string& decimal) {
  uint64_t number = std::stoull(decimal);
  size_t size = type == kRegQword ? 8 : 4;
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i)
    data[type == kRegDwordBigEndian ? size - 1 - i : i] = static_cast<uint8_t>(number >> (8 * i));
  return data;
}

// One line of a hex dump: "00000010: 73 7a 81 ...  ...   sz......".
void appendDumpLine(const std::string& line, std::vector<uint8_t>& data) {
  std::istringstream columns(line.substr(10, 49));
  std::string byte;
  while (columns >> byte) data.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
}

bool startsWith(const std::string& line, const char* prefix) {
  return line.rfind(prefix, 0) == 0;
}

bool isDumpLine(const std::string& line) {
  return line.size() > 10 && line[8] == ':' && line.find_first_not_of("0123456789abcdef") == 8;
}

Listing parseListing(const std::string& output) {
  Listing listing;
  RegistryKey* key = nullptr;
  RegistryValue* value = nullptr;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (startsWith(line, "Key path: ")) {
      // The first path is the root's; it is empty unless the root is named.
      std::string path = line.substr(10);
      listing.keyPaths.push_back(path);
      if (listing.keyPaths.size() == 1) listing.tree.root.name = path;
      const std::string& rootPrefix = listing.tree.root.name;
      if (!rootPrefix.empty() && startsWith(path, (rootPrefix + "\\").c_str()))
        path = path.substr(rootPrefix.size() + 1);
      key = listing.keyPaths.size() == 1 ? &listing.tree.root : &listing.tree.root.ensurePath(path);
      value = nullptr;
    } else if (startsWith(line, "Value: ") && key) {
      std::string name = line.substr(line.find(' ', 7) + 1);
      key->values.push_back(RegistryValue{name == "(default)" ? "" : name, kRegNone, {}});
      value = &key->values.back();
    } else if (startsWith(line, "Type: ") && value) {
      value->type = typeFromText(line);
    } else if (startsWith(line, "Data: ") && value &&
               (value->type == kRegDword || value->type == kRegDwordBigEndian ||
                value->type == kRegQword)) {
      value->data = numberBytes(value->type, line.substr(6));
    } else if (isDumpLine(line) && value) {
      appendDumpLine(line, value->data);
    }
  }
  return listing;
}

// Our own tree's key paths in the order the file links them.
void listKeyPaths(const RegistryKey& key, const std::string& path,
                  std::vector<std::string>& paths) {
  paths.push_back(path);
  for (const auto& subkey : key.subkeys)
    listKeyPaths(subkey, path.empty() ? subkey.name : path + "\\" + subkey.name, paths);
}

class Win9xCregexport : public testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::haveProgram("cregexport"))
      GTEST_SKIP() << "cregexport (libcreg-utils) is not installed";
  }

  void expectSameListing(const RegistryTree& tree) {
    std::vector<uint8_t> file = writeWin9xRegistry(tree);
    testing_support::writeFile(dir_ / "SYSTEM.DAT", std::string(file.begin(), file.end()));
    auto result = testing_support::runCommand("cregexport -c windows-1252 '" +
                                              (dir_ / "SYSTEM.DAT").string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.output.substr(0, 2000);
    Listing listing = parseListing(result.output);
    EXPECT_EQ(describeDifference(tree.root, listing.tree.root), "");
    std::vector<std::string> ourPaths;
    listKeyPaths(tree.root, tree.root.name, ourPaths);
    EXPECT_EQ(listing.keyPaths, ourPaths);
  }

  testing_support::TempDir dir_;
};

}  // namespace

TEST_F(Win9xCregexport, ListsEveryValueTypeAndAnsiName) {
  expectSameListing(typicalTree());
}

TEST_F(Win9xCregexport, ListsThousandsOfKeys) {
  expectSameListing(manyKeysTree(3000));
}

TEST_F(Win9xCregexport, ListsDeepPathsTheEmptyTreeAndRootValues) {
  expectSameListing(deepTree(200));
  expectSameListing(RegistryTree{});
  RegistryTree savedKey;
  savedKey.root.name = "Saved \u00C9";
  setValue(savedKey.root, "", kRegSz, bytes("saved key"));
  setValue(savedKey.root.ensurePath("Sub"), "x", kRegBinary, {1});
  expectSameListing(savedKey);
}

TEST_F(Win9xCregexport, ListsValuesLargerThan16KB) {
  RegistryTree tree;
  setValue(tree.root.ensurePath("Software\\Big"), "Twenty", kRegBinary, patternBytes(20 * 1024, 1));
  setValue(tree.root.ensurePath("Software\\Bigger"), "", kRegBinary, patternBytes(60000, 2));
  setValue(tree.root.ensurePath("Software\\Small"), "s", kRegSz, bytes("small"));
  expectSameListing(tree);
}
