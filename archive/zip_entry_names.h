#pragma once
// The name of an entry as the program knows it (ANSI, code page 1252) from
// the bytes of its header. Which character set the name field is in depends
// on who wrote it:
//   - a Unicode Path extra field that belongs to the name field, or the UTF-8
//     flag (bit 11), say UTF-8;
//   - Unix hosts store their locale's bytes: UTF-8 when they are well-formed;
//   - DOS, OS/2 and NT hosts store the OEM code page (437), as the PKWARE
//     application note says, except in archives whose names carry drive
//     letters ("C:\..." or "C:/..."): the program's own sets and those of the
//     program before it, which store the ANSI bytes under host MS-DOS;
//   - every other host: ANSI.
// A character without an ANSI form becomes '_', so the entry still has a
// name a Windows file may carry.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/zip_extra_fields.h"

namespace archive {

// Host systems in the high byte of "version made by".
namespace ziphost {
constexpr uint8_t kMsDos = 0;
constexpr uint8_t kUnix = 3;
constexpr uint8_t kOs2 = 6;
constexpr uint8_t kNtfs = 11;
}  // namespace ziphost

constexpr char kNoAnsiForm = '_';

struct EntryNameBytes {
  std::string_view nameField;
  uint16_t flags = 0;
  ExtraBytes extra;
  // The host that made the entry; a local header does not say.
  std::optional<uint8_t> host;
};

// "C:\..." or "C:/...": a name as the program's sets store it.
bool hasDriveLetter(std::string_view nameField);

// The entry's ANSI name. driveLetterArchive: some name field of the archive
// has a drive letter (hasDriveLetter).
std::string decodeEntryName(const EntryNameBytes& bytes, bool driveLetterArchive);

// The names of one archive's entries, decoded once every header has been
// read, because one name with a drive letter decides for all of them.
class ArchiveNames {
 public:
  void add(const EntryNameBytes& bytes);
  // The ANSI names, in the order their headers were added; a leading "./"
  // is dropped.
  std::vector<std::string> decode() const;

 private:
  struct Held {
    std::string nameField;
    uint16_t flags;
    std::vector<uint8_t> extra;
    std::optional<uint8_t> host;
  };
  std::vector<Held> held_;
  bool driveLetters_ = false;
};

// UTF-8 to ANSI with kNoAnsiForm for what 1252 cannot hold.
std::string utf8NameToAnsi(std::string_view utf8);

// Whether text is well-formed UTF-8.
bool isWellFormedUtf8(std::string_view text);

}  // namespace archive
