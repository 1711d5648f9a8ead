#pragma once
// The reading rules of the private-profile format, on a document in memory:
// what a stored value means as a string, an integer or a boolean.
//
// Strings: a value enclosed in double quotes loses them (so quotes keep
// leading and trailing blanks); at most 2047 characters are returned, the size
// of the buffer the program reads through.
//
// Integers follow the settings file's rule rather than the bare Windows call:
// decimal with an optional sign, or hexadecimal after "0x"/"0X" when the value
// is longer than two characters; anything else ("12abc", "0x", "abc", a value
// beyond 32 bits) reads as the default. Windows' own GetPrivateProfileInt
// instead takes the leading number and ignores the rest: "12abc" gives 12,
// "abc" gives 0 rather than the default, and "-5" gives -5 (returned as the
// UINT 4294967291); only a missing or empty value gives the default there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/ini_document.h"

namespace platform {

inline constexpr size_t kProfileValueLimit = 2047;

// The string a stored value reads as.
std::string profileStringValue(std::string_view stored);

// The string a default reads as: Windows strips its trailing blanks.
std::string profileDefaultValue(std::string_view defaultValue);

// The integer a value reads as, or nullopt when it is not a valid integer.
std::optional<int32_t> parseProfileInt(std::string_view value);

// Reads from a document: a missing section or key gives the default.
std::string readProfileString(const IniDocument& doc, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
int32_t readProfileInt(const IniDocument& doc, std::string_view section, std::string_view key,
                       int32_t defaultValue);
// An integer other than 0 is true; a missing or non-integer value is the default.
bool readProfileBool(const IniDocument& doc, std::string_view section, std::string_view key,
                     bool defaultValue);

// The lines of a section as GetPrivateProfileSection gives them: "key=value"
// for each key line, values as stored (quotes kept).
std::vector<std::string> profileSectionLines(const IniDocument& doc, std::string_view section);

}  // namespace platform
