// The stored forms behind attributes and delayed moves: Samba's DOSATTRIB
// value, the state-folder attribute records and the delayed-move list.
#include <gtest/gtest.h>

#include "platform/files/attribute_file.h"
#include "platform/files/delayed_moves.h"
#include "platform/files/dos_attrib_blob.h"

using namespace platform;

namespace {

std::string le(uint64_t value, size_t bytes) {
  std::string out;
  for (size_t i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

constexpr uint64_t kCreated = 0x01D42F9B5B8A1C00ull;

}  // namespace

TEST(DosAttrib, ReadsTheVersionsSambaWrites) {
  // Version 4 as Samba 4.9+ writes it: empty hex string, padding, version twice, fields.
  std::string v4 = std::string("\0\0", 2) + le(4, 2) + le(4, 2) + le(0, 2) + le(0x11, 4) +
                   le(0x22, 4) + le(0x1234, 8) + le(kCreated, 8);
  StoredAttributes stored = decodeDosAttrib(v4);
  EXPECT_EQ(stored.attributes, 0x22u);
  EXPECT_EQ(stored.creation, FileTime{kCreated});
  // Version 5 without a valid creation time.
  std::string v5 = std::string("\0\0", 2) + le(5, 2) + le(5, 2) + le(0, 2) + le(0x01, 4) +
                   le(0x01, 4) + le(kCreated, 8);
  EXPECT_EQ(decodeDosAttrib(v5), (StoredAttributes{0x01, std::nullopt, std::nullopt}));
  // Version 1 after a hex string of 4 characters + NUL, padded to 6; fields from 12.
  std::string v1 = std::string("0x20\0\0", 6) + le(1, 2) + le(1, 2) + le(0, 2) + le(0x20, 4) +
                   le(0, 4) + le(0, 8) + le(0, 8) + le(kCreated, 8) + le(0, 8);
  EXPECT_EQ(decodeDosAttrib(v1).creation, FileTime{kCreated});
  // The oldest form: the hex string alone, with or without its NUL.
  EXPECT_EQ(decodeDosAttrib("0x6").attributes, 6u);
  EXPECT_EQ(decodeDosAttrib(std::string("0x27\0", 5)).attributes, 0x27u);
}

TEST(DosAttrib, WritesVersion3AndReadsItBack) {
  StoredAttributes stored{0x21, FileTime{kCreated}, ArchiveStamp{42, FileTime{kCreated + 1}}};
  std::string blob = encodeDosAttrib(stored);
  EXPECT_EQ(blob.substr(0, 10), std::string("0x21\0\0", 6) + le(3, 2) + le(3, 2));
  EXPECT_EQ(blob.size(), 12u + 4 * 3 + 8 * 4);
  EXPECT_EQ(decodeDosAttrib(blob), stored);
  StoredAttributes plain{0x20, std::nullopt, std::nullopt};
  EXPECT_EQ(decodeDosAttrib(encodeDosAttrib(plain)), plain);
}

TEST(DosAttrib, CorruptValuesAreRefusedClearly) {
  std::string header = std::string("\0\0", 2);
  for (const std::string& bad :
       {std::string("zz"), std::string(""), header + le(4, 2) + le(4, 2) + le(0, 2) + le(0x11, 4),
        header + le(9, 2) + le(9, 2) + std::string(40, '\0'),
        header + le(3, 2) + le(4, 2) + std::string(40, '\0'),
        header + le(5, 2) + le(5, 2) + le(0, 2) + le(0x10, 4) + le(1, 4) + le(0, 8)})
    EXPECT_THROW(decodeDosAttrib(bad), DosAttribFormatError) << testing::PrintToString(bad);
}

TEST(AttributeRecords, RoundTripNamesWithTheFormatsOwnCharacters) {
  AttributeRecords records;
  records["WINDOWS/win.ini"] = {0x21, FileTime{kCreated}, std::nullopt};
  records["odd\tname%\n"] = {0x02, std::nullopt, ArchiveStamp{7, FileTime{9}}};
  EXPECT_EQ(parseAttributeRecords(formatAttributeRecords(records)), records);
}

TEST(AttributeRecords, MalformedLinesNameTheirLine) {
  try {
    parseAttributeRecords("a\t20\t-\t-\t-\nb\t20\tx\t-\t-\n");
    FAIL() << "no error";
  } catch (const AttributeFileError& error) {
    EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos);
  }
  for (const char* bad : {"a\t20\n", "a\tzz\t-\t-\t-\n", "%4\t20\t-\t-\t-\n", "\t20\t-\t-\t-\n",
                          "a\t20\t-\t5\t-\n", "a\t1ffffffff\t-\t-\t-\n"})
    EXPECT_THROW(parseAttributeRecords(bad), AttributeFileError) << bad;
}

TEST(DelayedMoves, RoundTripInOrderAndRefuseMalformedLines) {
  std::vector<DelayedMove> moves = {{"C:\\caf\xE9.dll", "C:\\WINDOWS\\x.dll", true},
                                    {"C:\\old.tmp", "", false}};
  std::string text = formatDelayedMoves(moves);
  EXPECT_EQ(text, "C:\\caf\xC3\xA9.dll\tC:\\WINDOWS\\x.dll\treplace\nC:\\old.tmp\t\t\n");
  EXPECT_EQ(parseDelayedMoves(text), moves);
  for (const char* bad : {"C:\\a\n", "\tC:\\b\t\n", "C:\\a\tC:\\b\tmaybe\n",
                          "C:\\a\tC:\\b\t\textra\n", "C:\\a\x01\tC:\\b\t\n"})
    EXPECT_THROW(parseDelayedMoves(bad), DelayedMovesError) << bad;
}
