// Entry names of other tools' archives: which character set a name field is
// read in (Unicode Path field, UTF-8 flag, the host that made the entry, and
// whether the archive is one of the program's drive-letter sets), and
// characters that have no ANSI form.
#include <gtest/gtest.h>

#include "archive/zip_crc32.h"
#include "archive/zip_entry_names.h"
#include "archive/zip_format.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_read_salvage.h"
#include "archive/zip_source.h"
#include "archive/zip_unicode_path.h"

namespace archive {
namespace {

// "café", "Ölförråd" and "ß" as DOS (437), Windows (1252) and UTF-8 store them.
struct Spelling {
  std::string oem, ansi, utf8;
};
const Spelling kCafe = {"caf\x82", "caf\xE9", "caf\xC3\xA9"};
const Spelling kStore = {
    "\x99lf\x94rr\x86"
    "d",
    "\xD6lf\xF6rr\xE5"
    "d",
    "\xC3\x96lf\xC3\xB6rr\xC3\xA5"
    "d"};
const Spelling kSharpS = {"\xE1", "\xDF", "\xC3\x9F"};

std::string decodeAlone(const std::string& nameField, uint8_t host, uint16_t flags = 0) {
  return decodeEntryName({nameField, flags, {}, host}, hasDriveLetter(nameField));
}

TEST(EntryNames, TheHostDecidesTheCharacterSetOfAPlainNameField) {
  for (const Spelling& s : {kCafe, kStore, kSharpS}) {
    SCOPED_TRACE(s.ansi);
    for (uint8_t host : {ziphost::kMsDos, ziphost::kOs2, ziphost::kNtfs})
      EXPECT_EQ(decodeAlone(s.oem, host), s.ansi) << "OEM host " << int{host};
    EXPECT_EQ(decodeAlone(s.utf8, ziphost::kUnix), s.ansi) << "UTF-8 of a Unix host";
    EXPECT_EQ(decodeAlone(s.ansi, ziphost::kUnix), s.ansi) << "ANSI of a Unix host";
    for (uint8_t host : {1, 7, 10, 14, 19})
      EXPECT_EQ(decodeAlone(s.ansi, host), s.ansi) << "host " << int{host};
    EXPECT_EQ(decodeAlone(s.utf8, ziphost::kMsDos, zipflag::kUtf8Names), s.ansi) << "UTF-8 flag";
  }
  // A drive letter marks the program's own ANSI names under host MS-DOS.
  EXPECT_EQ(decodeAlone("C:\\WINDOWS\\" + kCafe.ansi, ziphost::kMsDos),
            "C:\\WINDOWS\\" + kCafe.ansi);
  EXPECT_EQ(decodeAlone("d:/" + kCafe.ansi, ziphost::kNtfs), "d:/" + kCafe.ansi);
  // Not drive letters: no separator after the colon, or no letter before it.
  EXPECT_FALSE(hasDriveLetter("C:x"));
  EXPECT_FALSE(hasDriveLetter("1:/x"));
  EXPECT_FALSE(hasDriveLetter("/C:/x"));
  EXPECT_EQ(decodeAlone("C:" + kCafe.oem, ziphost::kMsDos), "C:" + kCafe.ansi);
}

TEST(EntryNames, CharactersWithoutAnAnsiFormBecomeUnderscores) {
  // Box drawing and Greek letters of code page 437, CJK and an emoji in UTF-8.
  EXPECT_EQ(decodeAlone("\xB0\xC9\xE0x.txt", ziphost::kMsDos), "___x.txt");
  EXPECT_EQ(decodeAlone("\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80.txt", ziphost::kUnix),
            "__-_.txt");
  EXPECT_EQ(decodeAlone("\xE6\x97\xA5.txt", ziphost::kMsDos, zipflag::kUtf8Names), "_.txt");
  // Malformed UTF-8 behind the flag: one underscore per byte that does not fit.
  EXPECT_EQ(decodeAlone("a\xC3.txt", ziphost::kMsDos, zipflag::kUtf8Names), "a_.txt");
  // Characters 1252 holds above 0x7F outside Latin-1: the euro and the dagger.
  EXPECT_EQ(decodeAlone("\xE2\x82\xAC\xE2\x80\xA0", ziphost::kUnix), "\x80\x86");
}

TEST(EntryNames, AFieldOfTheNameWinsAndAStaleOneIsIgnored) {
  Bytes field = unicodePathField(kCafe.ansi);
  // unicodePathField ties the field to the ANSI bytes; a DOS tool ties it to
  // its OEM name field, so make such a field by hand: same text, other CRC.
  uint32_t oemCrc = crc32Update(0, kCafe.oem.data(), kCafe.oem.size());
  Bytes oemField = field;
  for (int i = 0; i < 4; ++i) oemField[5 + i] = static_cast<uint8_t>(oemCrc >> (8 * i));
  EXPECT_EQ(decodeEntryName({kCafe.oem, 0, oemField, ziphost::kMsDos}, true), kCafe.ansi)
      << "the field overrides even the drive-letter rule";
  EXPECT_EQ(decodeEntryName({kCafe.oem, 0, field, ziphost::kMsDos}, false), kCafe.ansi)
      << "a stale field: the OEM name field";
  EXPECT_EQ(decodeEntryName({"renamed.txt", 0, field, ziphost::kMsDos}, false), "renamed.txt");
}

// A central directory of headers that name no data, as each host writes them.
struct Header {
  std::string nameField;
  uint8_t host;
  uint16_t flags = 0;
};

Bytes centralDirectory(const std::vector<Header>& headers) {
  Bytes out;
  auto u16 = [&](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  uint32_t offset = 0;
  for (const Header& h : headers) {
    u32(zipsig::kCentralHeader);
    u16(uint32_t{h.host} << 8 | 20);
    u16(20);
    u16(h.flags);
    u16(zipmethod::kStored);
    u32(0x30210000);
    u32(0);  // CRC
    u32(0);  // sizes
    u32(0);
    u16(static_cast<uint32_t>(h.nameField.size()));
    u16(0);  // extra
    u16(0);  // comment
    u16(0);  // disk
    u16(0);  // internal attributes
    u32(0);  // external attributes
    u32(offset);
    offset += 30 + static_cast<uint32_t>(h.nameField.size());
    out.insert(out.end(), h.nameField.begin(), h.nameField.end());
  }
  return out;
}

std::vector<std::string> namesOf(const std::vector<Header>& headers) {
  Bytes directory = centralDirectory(headers);
  std::vector<std::string> names;
  for (const ZipEntryRecord& e :
       parseCentralDirectory(directory.data(), directory.size(), headers.size()))
    names.push_back(e.name);
  return names;
}

TEST(EntryNames, OneDriveLetterInTheDirectoryMakesEveryDosNameAnsi) {
  using Names = std::vector<std::string>;
  // A DOS tool's archive: code page 437.
  EXPECT_EQ(namesOf({{kStore.oem + "/", 0}, {kStore.oem + "/" + kSharpS.oem, 0}}),
            (Names{kStore.ansi + "/", kStore.ansi + "/" + kSharpS.ansi}));
  // One of the program's sets: the entry without a drive (Other Files kept
  // by name) is ANSI too, wherever it stands in the directory.
  EXPECT_EQ(namesOf({{kCafe.ansi, 0}, {"C:/WINDOWS/" + kSharpS.ansi, 0}}),
            (Names{kCafe.ansi, "C:/WINDOWS/" + kSharpS.ansi}));
  // The rule is about DOS hosts: a Unix entry beside it is still UTF-8.
  EXPECT_EQ(namesOf({{"C:/x/" + kCafe.ansi, 0}, {kStore.utf8, 3}}),
            (Names{"C:/x/" + kCafe.ansi, kStore.ansi}));
  // bsdtar's archives of ".": the folder itself and names below it.
  EXPECT_EQ(namesOf({{"./", 3}, {"./" + kCafe.utf8, 3}, {"././a/./b", 3}, {".x/y", 3}}),
            (Names{"./", kCafe.ansi, "a/./b", ".x/y"}));
}

TEST(EntryNames, SalvagedEntriesWithoutAHostAreUtf8UnlessTheSetHasDrives) {
  auto salvaged = [](const std::vector<std::string>& nameFields) {
    Bytes bytes;
    for (const std::string& name : nameFields) {
      const uint8_t fixed[30] = {
          0x50, 0x4B, 3, 4,    20,   0, 0, 0, 0,
          0,    0,    0, 0x21, 0x30, 0, 0, 0, 0,
          0,    0,    0, 0,    0,    0, 0, 0, static_cast<uint8_t>(name.size()),
          0,    0,    0};
      bytes.insert(bytes.end(), fixed, fixed + 30);
      bytes.insert(bytes.end(), name.begin(), name.end());
    }
    MemorySource source(bytes.data(), bytes.size());
    std::vector<std::string> names;
    for (const ZipEntryRecord& e : salvageEntries(source)) names.push_back(e.name);
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(salvaged({kCafe.utf8, kSharpS.ansi}), (Names{kCafe.ansi, kSharpS.ansi}));
  EXPECT_EQ(salvaged({"C:/" + kCafe.utf8, kSharpS.ansi}),
            (Names{"C:/" + kCafe.utf8, kSharpS.ansi}));
}

}  // namespace
}  // namespace archive
