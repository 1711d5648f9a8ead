#pragma once
// Names in the two trees of a CD session: the short ISO 9660 identifiers and
// the Joliet ones (UCS-2 big-endian), their record lengths, and the "~N"
// tails that keep ISO identifiers of one directory apart.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace cdengine {

// A directory's ISO name: its first 13 characters, ASCII letters upper-cased,
// every character below "!" or above "z" made "_" ("Program Files" gives
// "PROGRAM_FILES").
std::string directoryIsoName(std::string_view longName);

// The UCS-2 big-endian bytes of an ANSI (code page 1252) text.
std::vector<uint8_t> ucs2BigEndian(std::string_view ansi);
// UCS-2 big-endian bytes back to ANSI (characters without a 1252 form become
// "?"); an odd last byte is dropped.
std::string ansiFromUcs2BigEndian(const uint8_t* bytes, size_t size);

// A directory record's length for an identifier of `identifierBytes` bytes:
// 33 + the identifier + a padding byte when the identifier's length is even.
size_t directoryRecordLength(size_t identifierBytes);
// Records longer than 255 bytes cannot be stored (the length is one byte).
inline constexpr size_t kLongestDirectoryRecord = 255;

// The identifier bytes of an entry in each tree: the name, with ";1" after a
// file's; a file's Joliet name without the "." its long name was given when
// it had no extension.
std::string isoIdentifier(std::string_view isoName, bool isFile);
std::vector<uint8_t> jolietIdentifier(std::string_view longName, bool isFile);

// `name` made different from every name in `taken` (compared as stored,
// upper case) by a "~N" tail that keeps its length: a file's base part is
// cut to 8 - length("~N") characters before the tail and its extension kept
// (8.3 form); a directory's name is cut to 13 - length("~N"). A name that
// clashes with nothing is returned as it is.
std::string uniqueIsoName(const std::string& name, bool isFile,
                          const std::unordered_set<std::string>& taken);

}  // namespace cdengine
