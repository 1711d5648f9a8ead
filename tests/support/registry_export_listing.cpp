#include "tests/support/registry_export_listing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

using platform::registry::RegistryKey;

// The type's number from "REG_SZ"-style names or a "0x..." number; any other
// text is kept so that a mismatch shows it.
std::string typeNumber(const std::string& typeLine) {
  static const std::map<std::string, uint32_t> kNames = {{"REG_NONE", 0},
                                                         {"REG_SZ", 1},
                                                         {"REG_EXPAND_SZ", 2},
                                                         {"REG_BINARY", 3},
                                                         {"REG_DWORD_LITTLE_ENDIAN", 4},
                                                         {"REG_DWORD_BIG_ENDIAN", 5},
                                                         {"REG_LINK", 6},
                                                         {"REG_MULTI_SZ", 7},
                                                         {"REG_RESOURCE_LIST", 8},
                                                         {"REG_FULL_RESOURCE_DESCRIPTOR", 9},
                                                         {"REG_RESOURCE_REQUIREMENTS_LIST", 10},
                                                         {"REG_QWORD_LITTLE_ENDIAN", 11}};
  auto open = typeLine.rfind('(');
  if (open != std::string::npos) {
    auto found = kNames.find(typeLine.substr(open + 1, typeLine.size() - open - 2));
    if (found != kNames.end()) return std::to_string(found->second);
  }
  auto hex = typeLine.find("0x");
  return hex == std::string::npos ? typeLine
                                  : std::to_string(std::stoul(typeLine.substr(hex), nullptr, 16));
}

void listKey(const RegistryKey& key, const std::string& path, RegistryListing& listing) {
  std::vector<std::string>& values = listing[path];
  for (const auto& value : key.values)
    values.push_back((value.name.empty() ? "(default)" : value.name) + "|" +
                     std::to_string(value.type) + "|" + std::to_string(value.data.size()));
  for (const auto& child : key.subkeys)
    listKey(child, path.empty() ? child.name : path + "\\" + child.name, listing);
}

size_t valueCount(const RegistryListing& listing) {
  size_t count = 0;
  for (const auto& [key, values] : listing) count += values.size();
  return count;
}

}  // namespace

RegistryListing parseRegistryExport(const std::string& output) {
  RegistryListing listing;
  std::string key, value, type;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Key path: ", 0) == 0) {
      key = line.substr(10);
      listing[key];
    } else if (line.rfind("Value: ", 0) == 0) {
      value = line.substr(line.find(' ', 7) + 1);
    } else if (line.rfind("Type: ", 0) == 0) {
      type = typeNumber(line.substr(6));
    } else if (line.rfind("Data size: ", 0) == 0) {
      listing[key].push_back(value + "|" + type + "|" + line.substr(11));
    }
  }
  return listing;
}

RegistryListing listRegistryTree(const platform::registry::RegistryTree& tree) {
  RegistryListing listing;
  listKey(tree.root, tree.root.name, listing);
  return listing;
}

void expectExportAgrees(const std::string& tool, const std::filesystem::path& file,
                        const platform::registry::RegistryTree& tree) {
  auto result = runCommand(tool + " '" + file.string() + "'");
  ASSERT_EQ(result.exitCode, 0) << file << "\n" << result.output.substr(0, 2000);
  RegistryListing ours = listRegistryTree(tree);
  RegistryListing theirs = parseRegistryExport(result.output);
  EXPECT_EQ(theirs.size(), ours.size()) << file;
  EXPECT_EQ(valueCount(theirs), valueCount(ours)) << file;
  for (const auto& [path, values] : ours) {
    auto found = theirs.find(path);
    ASSERT_NE(found, theirs.end()) << file << ": " << path;
    EXPECT_EQ(found->second, values) << file << ": " << path;
  }
}

}  // namespace testing_support
