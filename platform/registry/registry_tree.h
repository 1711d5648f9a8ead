#pragma once
// A registry key tree in memory: what a registry file holds, independent of
// its format. The Windows 9x registry files (system.dat, user.dat,
// classes.dat) and the NT hive files are both read into and written from this
// tree.
//
// Names are UTF-8 (NT hives hold UTF-16 or Latin-1 names; Windows 9x files
// hold ANSI names, converted from Windows-1252). Value data is kept as the
// bytes the file format stores: strings in NT hives are UTF-16LE with their
// terminating NUL, strings in Windows 9x files are ANSI bytes (usually with a
// terminating NUL). `stringEncoding` of the tree says which.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

// Registry value types (REG_*).
enum ValueType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegResourceList = 8,
  kRegFullResourceDescriptor = 9,
  kRegResourceRequirementsList = 10,
  kRegQword = 11,
};

enum class StringEncoding { Ansi, Utf16le };

struct RegistryValue {
  std::string name;  // UTF-8; empty for the default value
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
};

struct RegistryKey {
  std::string name;  // UTF-8; the root key's name is what the file stores
  std::vector<RegistryValue> values;
  std::vector<RegistryKey> subkeys;
  uint64_t lastWrite = 0;                   // FILETIME (NT hives); 0 when unknown
  std::string className;                    // UTF-8 class name (NT hives), often empty
  std::vector<uint8_t> securityDescriptor;  // self-relative SD (NT hives); empty: default

  // Lookups without regard to case, as Windows names keys and values.
  RegistryKey* findSubkey(const std::string& name);
  const RegistryKey* findSubkey(const std::string& name) const;
  const RegistryValue* findValue(const std::string& name) const;
  // Follows a backslash-separated path; nullptr when a component is missing.
  const RegistryKey* findPath(const std::string& path) const;
  RegistryKey* findPath(const std::string& path);
  // Creates missing keys along a backslash-separated path.
  RegistryKey& ensurePath(const std::string& path);
  // Adds or replaces a value.
  void setValue(RegistryValue value);
};

struct RegistryTree {
  RegistryKey root;
  StringEncoding stringEncoding = StringEncoding::Ansi;
};

// The components of a backslash-separated key path; empty components (a
// leading, doubled or final backslash) are dropped.
std::vector<std::string> splitKeyPath(std::string_view path);

// Comparison of two trees' keys, values, types and data (names without case).
// Returns an empty string when equal, else a description of the first
// difference (for tests and peer checks).
std::string describeDifference(const RegistryKey& a, const RegistryKey& b);

}  // namespace platform::registry
