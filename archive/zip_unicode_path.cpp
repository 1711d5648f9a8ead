#include "archive/zip_unicode_path.h"

#include <algorithm>

#include "archive/zip_crc32.h"
#include "archive/zip_entry_names.h"
#include "archive/zip_format.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

// Version and CRC before the UTF-8 name.
constexpr size_t kFieldHead = 5;
// The field shares the 16-bit extra length with a ZIP64 field; a longer name
// (far beyond any Windows path) goes without it.
constexpr size_t kLongestUtf8Name = kMax16 - 64;

uint32_t nameCrc(std::string_view name) {
  return crc32Update(0, name.data(), name.size());
}

}  // namespace

bool needsUnicodePath(std::string_view ansiName) {
  return std::any_of(ansiName.begin(), ansiName.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

Bytes unicodePathField(const std::string& ansiName) {
  if (!needsUnicodePath(ansiName)) return {};
  std::string utf8 = platform::ansiToUtf8(ansiName);
  if (utf8.size() > kLongestUtf8Name) return {};
  Bytes field;
  ByteWriter w(field);
  w.u16(kUnicodePathExtraId);
  w.u16(static_cast<uint16_t>(kFieldHead + utf8.size()));
  w.u8(kUnicodePathVersion);
  w.u32(nameCrc(ansiName));
  w.text(utf8);
  return field;
}

std::optional<std::string> unicodePathName(ExtraBytes field, std::string_view nameField) {
  if (field.size() <= kFieldHead) return std::nullopt;
  ByteReader r(field.data(), field.size(), "Unicode Path field");
  if (r.u8() != kUnicodePathVersion || r.u32() != nameCrc(nameField)) return std::nullopt;
  std::string utf8 = r.text(r.remaining());
  if (!isWellFormedUtf8(utf8)) return std::nullopt;
  return utf8NameToAnsi(utf8);
}

}  // namespace archive
