#pragma once
// Key trees for the Windows 9x registry file tests (unit and peer).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"

namespace win9x_samples {

using platform::registry::RegistryKey;
using platform::registry::RegistryTree;
using platform::registry::RegistryValue;

inline std::vector<uint8_t> bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

inline std::vector<uint8_t> patternBytes(size_t size, uint8_t seed) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return data;
}

inline void setValue(RegistryKey& key, const std::string& name, uint32_t type,
                     std::vector<uint8_t> data) {
  key.setValue(RegistryValue{name, type, std::move(data)});
}

// A small system.dat-like tree: every value type, default values, empty data,
// strings with and without their NUL, and Windows-1252 names.
inline RegistryTree typicalTree() {
  using namespace platform::registry;
  RegistryTree tree;
  RegistryKey& version = tree.root.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion");
  setValue(version, "ProgramFilesDir", kRegSz, bytes(std::string("C:\\Program Files") + '\0'));
  setValue(version, "ProductName", kRegSz, bytes("Microsoft Windows ME"));
  setValue(version, "MediaPath", kRegExpandSz, bytes(std::string("%windir%\\Media") + '\0'));
  setValue(version, "", kRegSz, bytes(std::string("default") + '\0'));
  setValue(version, "BootCount", kRegDword, {0x2A, 0, 0, 0});
  setValue(version, "BigEndian", kRegDwordBigEndian, {0, 0, 1, 0});
  setValue(version, "Short dword", kRegDword, {1, 2});
  setValue(version, "Paths", kRegMultiSz, bytes(std::string("a\0bc\0\0", 6)));
  setValue(version, "Blob", kRegBinary, patternBytes(300, 3));
  setValue(version, "Nothing", kRegNone, {});
  setValue(version, "Link", kRegLink, bytes("x"));
  setValue(version, "Resources", kRegResourceList, patternBytes(40, 9));
  setValue(version, "Full", kRegFullResourceDescriptor, patternBytes(12, 1));
  setValue(version, "Requirements", kRegResourceRequirementsList, patternBytes(8, 2));
  setValue(version, "Quad", kRegQword, patternBytes(8, 5));
  setValue(version, "Corel", 0x80000001, patternBytes(5, 4));
  setValue(version, "AllOnes", 0xFFFFFFFF, bytes("z"));
  tree.root.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  RegistryKey& cafe = tree.root.ensurePath("Software\\Caf\u00E9 \u20AC\\\u00DCbersicht");
  setValue(cafe, "Gr\u00F6\u00DFe \u0160", kRegSz, bytes("\xE9t\xE9"));
  setValue(cafe, "", kRegBinary, {});
  tree.root.ensurePath("System\\CurrentControlSet\\Control\\Nls\\Codepage")
      .setValue(RegistryValue{"ACP", kRegSz, bytes(std::string("1252") + '\0')});
  tree.root.ensurePath("Config\\0001");
  tree.root.ensurePath("Enum");
  return tree;
}

// `count` keys under a few parents, each with a value, enough to fill many
// data blocks and several key tree pages.
inline RegistryTree manyKeysTree(size_t count) {
  using namespace platform::registry;
  RegistryTree tree;
  for (size_t i = 0; i < count; ++i) {
    RegistryKey& key = tree.root.ensurePath("Classes\\Group" + std::to_string(i % 37) + "\\Key" +
                                            std::to_string(i));
    setValue(key, "", kRegSz, bytes("value " + std::to_string(i)));
    if (i % 5 == 0) setValue(key, "Flags", kRegDword, {static_cast<uint8_t>(i), 0, 0, 0});
  }
  return tree;
}

// A chain of `depth` keys below the root, with a value at the bottom.
inline RegistryTree deepTree(size_t depth) {
  using namespace platform::registry;
  RegistryTree tree;
  RegistryKey* key = &tree.root;
  for (size_t level = 0; level < depth; ++level) {
    key->subkeys.push_back(RegistryKey{});
    key = &key->subkeys.back();
    key->name = "Level" + std::to_string(level);
  }
  setValue(*key, "Bottom", kRegSz, bytes("deep"));
  return tree;
}

}  // namespace win9x_samples
