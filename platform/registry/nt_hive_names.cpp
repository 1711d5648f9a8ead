#include "platform/registry/nt_hive_names.h"

namespace platform::registry::nt_hive {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  int continuation = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
  out += static_cast<char>(kLead[continuation] | (cp >> (6 * continuation)));
  for (int shift = 6 * (continuation - 1); shift >= 0; shift -= 6)
    out += static_cast<char>(0x80 | ((cp >> shift) & 0x3F));
}

// Decodes one UTF-8 sequence at `pos`, advancing it; malformed input yields
// U+FFFD and consumes one byte.
char32_t nextCodePoint(std::string_view s, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(pos);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return kReplacement;
  }
  char32_t cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  pos += length;
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return kReplacement;
  return cp;
}

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

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = nextCodePoint(utf8, pos);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = kReplacement;
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::string utf16leBytesToUtf8(const uint8_t* bytes, size_t size) {
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return utf16ToUtf8(units);
}

std::vector<uint8_t> utf8ToUtf16leBytes(std::string_view utf8) {
  std::vector<uint8_t> out;
  for (char16_t unit : utf8ToUtf16(utf8)) {
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return out;
}

std::string decodeName(const uint8_t* bytes, size_t size, bool compressed) {
  if (!compressed) return utf16leBytesToUtf8(bytes, size);
  std::string out;
  out.reserve(size);
  for (size_t i = 0; i < size; ++i) appendUtf8(out, bytes[i]);
  return out;
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
