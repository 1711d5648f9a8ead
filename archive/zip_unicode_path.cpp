#include "archive/zip_unicode_path.h"

#include <algorithm>

#include "archive/zip_crc32.h"
#include "archive/zip_format.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

// Version and CRC before the UTF-8 name.
constexpr size_t kFieldHead = 5;
// The field shares the 16-bit extra length with a ZIP64 field; a longer name
// (far beyond any Windows path) goes without it.
constexpr size_t kLongestUtf8Name = kMax16 - 64;

// Malformed sequences decode to U+FFFD one byte at a time, which encodes in
// three bytes: only well-formed UTF-8 comes back unchanged.
bool isWellFormedUtf8(std::string_view text) {
  return platform::utf16ToUtf8(platform::utf8ToUtf16(text)) == text;
}

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
  return platform::utf8ToAnsi(utf8);
}

std::string entryNameFromHeader(std::string_view nameField, uint16_t flags, ExtraBytes extra,
                                bool fromUnixHost) {
  if (auto field = findExtraField(extra, kUnicodePathExtraId))
    if (auto name = unicodePathName(*field, nameField)) return *name;
  if (flags & zipflag::kUtf8Names) return platform::utf8ToAnsi(nameField);
  if (fromUnixHost && needsUnicodePath(nameField) && isWellFormedUtf8(nameField))
    return platform::utf8ToAnsi(nameField);
  return std::string(nameField);
}

}  // namespace archive
