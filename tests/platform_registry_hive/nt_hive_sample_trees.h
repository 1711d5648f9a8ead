#pragma once
// Key trees that exercise the NT hive format, shared by the unit and peer
// tests and used to make the fuzzer's seeds.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/registry/registry_tree.h"

namespace hive_samples {

using platform::registry::RegistryKey;
using platform::registry::RegistryTree;
using platform::registry::RegistryValue;

constexpr uint64_t kSampleTime = 0x01C8F2A3B4C5D6E7ULL;

// A string value's data: UTF-16LE with the terminating NUL.
inline std::vector<uint8_t> utf16z(std::string_view utf8) {
  std::vector<uint8_t> bytes = platform::utf8ToUtf16leBytes(utf8);
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

inline std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + i / 251);
  return bytes;
}

// Every value type, inline and cell-stored data, names in Latin-1 and beyond,
// the default value, class names and one key with its own security descriptor.
inline RegistryTree sampleTree() {
  using namespace platform::registry;
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.name = "$$$PROTO.HIV";
  tree.root.lastWrite = kSampleTime;
  RegistryKey& app = tree.root.ensurePath("Software\\Vendor\\App");
  app.lastWrite = kSampleTime + 1000;
  app.className = "AppClass";
  app.setValue({"", kRegSz, utf16z("default text")});
  app.setValue({"Path", kRegExpandSz, utf16z("%SystemRoot%\\system32")});
  app.setValue({"Blob", kRegBinary, pattern(300, 1)});
  app.setValue({"Count", kRegDword, {0x78, 0x56, 0x34, 0x12}});
  app.setValue({"BigEndian", kRegDwordBigEndian, {0x12, 0x34, 0x56, 0x78}});
  app.setValue({"Link", kRegLink, utf16z("\\Registry\\Machine\\Software")});
  app.setValue({"List", kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}});
  app.setValue({"Resources", kRegResourceList, pattern(40, 2)});
  app.setValue({"FullResource", kRegFullResourceDescriptor, pattern(20, 3)});
  app.setValue({"Requirements", kRegResourceRequirementsList, pattern(64, 4)});
  app.setValue({"Big", kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}});
  app.setValue({"Nothing", kRegNone, {}});
  app.setValue({"EmptyString", kRegSz, {}});
  app.setValue({"Three", kRegBinary, {0xAA, 0xBB, 0xCC}});
  app.setValue({"Five", kRegBinary, {1, 2, 3, 4, 5}});
  app.setValue({"Odd type", 0x12345, {9, 8, 7, 6, 5, 4}});
  RegistryKey& names = tree.root.ensurePath("Software\\Äpfel");
  names.setValue({"Grüße", kRegSz, utf16z("Grüße")});
  names.setValue({"Жuk", kRegSz, utf16z("Жук")});
  RegistryKey& cyrillic = tree.root.ensurePath("Software\\Äpfel\\Жuk");
  cyrillic.className = "Класс";
  cyrillic.securityDescriptor = {1, 0, 4, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  tree.root.ensurePath("Software\\Äpfel\\日本語");
  tree.root.ensurePath("System\\Select").setValue({"Current", kRegDword, {1, 0, 0, 0}});
  return tree;
}

// Values around the 16344-byte limit beyond which version 1.4+ hives split
// data into "db" segments.
inline RegistryTree bigValueTree() {
  using namespace platform::registry;
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.name = "BIG";
  RegistryKey& key = tree.root.ensurePath("Data");
  key.setValue({"Limit", kRegBinary, pattern(16344, 5)});
  key.setValue({"JustOver", kRegBinary, pattern(16345, 6)});
  key.setValue({"Large", kRegBinary, pattern(50000, 7)});
  key.setValue({"Huge", kRegBinary, pattern(300000, 8)});
  return tree;
}

// A key with `count` subkeys, more than one subkey list leaf holds.
inline RegistryTree manySubkeysTree(int count) {
  RegistryTree tree;
  tree.stringEncoding = platform::registry::StringEncoding::Utf16le;
  tree.root.name = "MANY";
  RegistryKey& parent = tree.root.ensurePath("Parent");
  for (int i = count - 1; i >= 0; --i) {
    std::string name = (i % 2 ? "key" : "Key") + std::to_string(i);
    parent.subkeys.push_back(RegistryKey{});
    parent.subkeys.back().name = name;
    if (i % 500 == 0)
      parent.subkeys.back().setValue({"Index", platform::registry::kRegDword, {1, 2, 3, 4}});
  }
  return tree;
}

}  // namespace hive_samples
