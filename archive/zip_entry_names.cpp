#include "archive/zip_entry_names.h"

#include <array>

#include "archive/zip_format.h"
#include "archive/zip_unicode_path.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

// Unicode code points of 0x80..0xFF in code page 437 (the OEM code page of
// US DOS and Windows, which the application note names for entry names).
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

std::string oemNameToAnsi(std::string_view oem) {
  std::u16string unicode;
  unicode.reserve(oem.size());
  for (char c : oem) {
    auto byte = static_cast<unsigned char>(c);
    unicode += byte < 0x80 ? static_cast<char16_t>(byte) : kCp437High[byte - 0x80];
  }
  return utf8NameToAnsi(platform::utf16ToUtf8(unicode));
}

bool isOemHost(uint8_t host) {
  return host == ziphost::kMsDos || host == ziphost::kOs2 || host == ziphost::kNtfs;
}

// bsdtar's archives of "." name their entries "./café": the entry is "café".
// "./" alone (the folder itself) stays, as extraction skips it.
std::string withoutDotPrefix(std::string name) {
  size_t start = 0;
  while (name.size() - start > 2 && name[start] == '.' &&
         (name[start + 1] == '/' || name[start + 1] == '\\'))
    start += 2;
  return start == 0 ? name : name.substr(start);
}

}  // namespace

bool isWellFormedUtf8(std::string_view text) {
  // Malformed sequences decode to U+FFFD one byte at a time, which encodes
  // in three bytes: only well-formed UTF-8 comes back unchanged.
  return platform::utf16ToUtf8(platform::utf8ToUtf16(text)) == text;
}

std::string utf8NameToAnsi(std::string_view utf8) {
  std::string ansi = platform::utf8ToAnsi(utf8);
  if (ansi.find('?') == std::string::npos) return ansi;
  // The converter gives '?' for what 1252 cannot hold: tell those from a
  // real '?' one character at a time.
  ansi.clear();
  std::u16string units = platform::utf8ToUtf16(utf8);
  for (size_t i = 0; i < units.size(); ++i) {
    size_t length = 1;
    if (units[i] >= 0xD800 && units[i] < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000)
      length = 2;  // a surrogate pair: one character
    std::string one = platform::utf8ToAnsi(platform::utf16ToUtf8(units.substr(i, length)));
    ansi += one == "?" && units[i] != u'?' ? std::string(1, kNoAnsiForm) : one;
    i += length - 1;
  }
  return ansi;
}

bool hasDriveLetter(std::string_view nameField) {
  if (nameField.size() < 3 || nameField[1] != ':') return false;
  char letter = nameField[0];
  bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
  return isLetter && (nameField[2] == '\\' || nameField[2] == '/');
}

std::string decodeEntryName(const EntryNameBytes& bytes, bool driveLetterArchive) {
  if (auto field = findExtraField(bytes.extra, kUnicodePathExtraId))
    if (auto name = unicodePathName(*field, bytes.nameField)) return *name;
  if (bytes.flags & zipflag::kUtf8Names) return utf8NameToAnsi(bytes.nameField);
  std::string_view name = bytes.nameField;
  if (!needsUnicodePath(name)) return std::string(name);
  if (!bytes.host) {
    // A local header without its central one: the program's own sets are
    // ANSI, other archives found this way are most often UTF-8 ones.
    if (!driveLetterArchive && isWellFormedUtf8(name)) return utf8NameToAnsi(name);
    return std::string(name);
  }
  if (*bytes.host == ziphost::kUnix && isWellFormedUtf8(name)) return utf8NameToAnsi(name);
  if (isOemHost(*bytes.host) && !driveLetterArchive) return oemNameToAnsi(name);
  return std::string(name);
}

void ArchiveNames::add(const EntryNameBytes& bytes) {
  driveLetters_ = driveLetters_ || hasDriveLetter(bytes.nameField);
  held_.push_back({std::string(bytes.nameField), bytes.flags,
                   std::vector<uint8_t>(bytes.extra.begin(), bytes.extra.end()), bytes.host});
}

std::vector<std::string> ArchiveNames::decode() const {
  std::vector<std::string> names;
  names.reserve(held_.size());
  for (const Held& h : held_)
    names.push_back(
        withoutDotPrefix(decodeEntryName({h.nameField, h.flags, h.extra, h.host}, driveLetters_)));
  return names;
}

}  // namespace archive
