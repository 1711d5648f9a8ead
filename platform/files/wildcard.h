#pragma once
// File-name masks as FindFirstFile matches them.
//
// The mask is first turned into the DOS wildcard forms the file system uses:
// "*.*" means every name; a "?" may also match nothing at the end of a name or
// before a dot ("file?" finds "file" and "file1", not "file.txt"); a "*"
// followed by "." stops at the last dot of the name ("*." finds the names
// without an extension); a "." followed by a wildcard or ending the mask also
// matches the end of a name ("readme.*" finds "readme"). Letters match without
// case (code page 1252).

#include <string_view>

namespace platform {

bool matchesWildcard(std::string_view name, std::string_view mask);

// True when the mask holds "*" or "?".
bool hasWildcards(std::string_view mask);

}  // namespace platform
