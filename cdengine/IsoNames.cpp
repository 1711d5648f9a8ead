#include "cdengine/IsoNames.h"

#include <algorithm>

#include "platform/core/codepage.h"

namespace cdengine {

namespace {

constexpr size_t kDirectoryIsoLength = 13;
constexpr size_t kFileBaseLength = 8;

bool taken(const std::unordered_set<std::string>& names, const std::string& name) {
  return names.contains(name);
}

}  // namespace

std::string directoryIsoName(std::string_view longName) {
  std::string out(longName.substr(0, kDirectoryIsoLength));
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < '!' || u > 'z') c = '_';
  }
  return out;
}

std::vector<uint8_t> ucs2BigEndian(std::string_view ansi) {
  const std::u16string wide = platform::utf8ToUtf16(platform::ansiToUtf8(ansi));
  std::vector<uint8_t> out;
  out.reserve(wide.size() * 2);
  for (char16_t c : wide) {
    out.push_back(static_cast<uint8_t>(c >> 8));
    out.push_back(static_cast<uint8_t>(c & 0xFF));
  }
  return out;
}

std::string ansiFromUcs2BigEndian(const uint8_t* bytes, size_t size) {
  std::u16string wide;
  wide.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2)
    wide.push_back(static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]));
  return platform::utf8ToAnsi(platform::utf16ToUtf8(wide));
}

size_t directoryRecordLength(size_t identifierBytes) {
  return 33 + identifierBytes + (identifierBytes % 2 == 0 ? 1 : 0);
}

std::string isoIdentifier(std::string_view isoName, bool isFile) {
  std::string out(isoName);
  if (isFile) out += ";1";
  return out;
}

std::vector<uint8_t> jolietIdentifier(std::string_view longName, bool isFile) {
  std::string name(longName);
  // A file's long name ends in "." only when entering it gave a name without
  // extension one (Windows names never end in a dot). The ISO identifier
  // needs it; in the Joliet tree it would become part of the name on readers
  // that do not strip trailing dots, so "README" stays "README".
  if (isFile && !name.empty() && name.back() == '.') name.pop_back();
  if (isFile) name += ";1";
  return ucs2BigEndian(name);
}

std::string uniqueIsoName(const std::string& name, bool isFile,
                          const std::unordered_set<std::string>& names) {
  if (!taken(names, name)) return name;
  std::string base = name;
  std::string extension;
  size_t room = kDirectoryIsoLength;
  if (isFile) {
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
      base = name.substr(0, dot);
      extension = name.substr(dot);
    }
    room = kFileBaseLength;
  }
  room = std::max(room, base.size());
  for (unsigned number = 1;; ++number) {
    const std::string tail = "~" + std::to_string(number);
    if (tail.size() >= room) break;  // no room left for any tail
    const std::string candidate =
        base.substr(0, std::min(base.size(), room - tail.size())) + tail + extension;
    if (!taken(names, candidate)) return candidate;
  }
  return name;
}

}  // namespace cdengine
