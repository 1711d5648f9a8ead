#pragma once
// Key, value and class names as NT hives store them: one byte per character
// (Latin-1, the low byte of each UTF-16 code unit) when every character is
// below U+0100, otherwise UTF-16LE. The tree holds names as UTF-8 (converted
// with platform/core/codepage.h). Also the
// upper-casing that orders subkey lists and feeds the "lh" name hash.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry::nt_hive {

// A stored name decoded to UTF-8.
std::string decodeName(const uint8_t* bytes, size_t size, bool compressed);

// A name ready to store.
struct StoredName {
  std::vector<uint8_t> bytes;
  bool compressed = false;
  uint32_t utf16Bytes = 0;  // length counted as UTF-16, for the max_* fields
};
StoredName encodeName(std::string_view utf8);

// Upper-casing of UTF-16 code units as the registry compares names (simple
// Unicode case mapping for Latin, Greek and Cyrillic and the full-width forms).
char16_t upcase(char16_t c);
std::u16string upcase(std::u16string_view name);

// The "lh" leaf hash: h = h * 37 + c over the upper-cased code units.
uint32_t nameHash(std::u16string_view name);

}  // namespace platform::registry::nt_hive
