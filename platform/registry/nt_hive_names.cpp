#include "platform/registry/nt_hive_names.h"

#include "platform/core/codepage.h"

namespace platform::registry::nt_hive {
namespace {

char16_t upcaseLatinExtendedA(char16_t c) {
  if (c == 0x131) return u'I';
  if (c == 0x17F) return u'S';
  if (c == 0xFF) return 0x178;
  bool oddIsLower = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  bool evenIsLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (oddIsLower && (c & 1)) return c - 1;
  if (evenIsLower && !(c & 1)) return c - 1;
  return c;
}

char16_t upcaseGreek(char16_t c) {
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  return c;
}

char16_t upcaseCyrillic(char16_t c) {
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  bool pairs =
      (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
  if (pairs && (c & 1)) return c - 1;
  return c;
}

}  // namespace

std::string decodeName(const uint8_t* bytes, size_t size, bool compressed) {
  if (!compressed) return utf16leBytesToUtf8(bytes, size);
  return utf16ToUtf8(std::u16string(bytes, bytes + size));
}

StoredName encodeName(std::string_view utf8) {
  std::u16string units = utf8ToUtf16(utf8);
  StoredName name;
  name.utf16Bytes = static_cast<uint32_t>(units.size() * 2);
  name.compressed = true;
  for (char16_t unit : units) name.compressed = name.compressed && unit < 0x100;
  for (char16_t unit : units) {
    name.bytes.push_back(static_cast<uint8_t>(unit));
    if (!name.compressed) name.bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return name;
}

char16_t upcase(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? c - 0x20 : c;
  if (c == 0xB5) return 0x39C;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c >= 0xFF && c <= 0x17F) return upcaseLatinExtendedA(c);
  if (c >= 0x386 && c <= 0x3CE) return upcaseGreek(c);
  if (c >= 0x430 && c <= 0x52F) return upcaseCyrillic(c);
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

std::u16string upcase(std::u16string_view name) {
  std::u16string out(name);
  for (auto& unit : out) unit = upcase(unit);
  return out;
}

uint32_t nameHash(std::u16string_view name) {
  uint32_t hash = 0;
  for (char16_t unit : name) hash = hash * 37 + upcase(unit);
  return hash;
}

}  // namespace platform::registry::nt_hive
