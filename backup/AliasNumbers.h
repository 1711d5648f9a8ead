#pragma once
// The "~" numbers of 8.3 aliases, for copies that must carry the same number
// as their source: Windows and the programs on it may refer to a file by its
// alias, so a restored file has to come back under the alias it had.

#include <optional>
#include <string>
#include <string_view>

namespace corvasta {

// The number after the "~" of an alias ("PROGRA~2" gives 2, "LONGFI~12.TXT"
// gives 12); nullopt when the alias carries no "~" followed by digits only up
// to its extension, or the number is 0 or too large to be one.
std::optional<unsigned> aliasNumber(std::string_view alias);

// The part of an alias before its "~" (the whole alias when it has none).
std::string aliasStem(std::string_view alias);

// A long name that gets an alias of the same stem and extension as `name`:
// `blanks` blanks inserted after its first character, which an alias leaves
// out. `name` needs at least two characters.
std::string placeholderName(const std::string& name, size_t blanks);

}  // namespace corvasta
