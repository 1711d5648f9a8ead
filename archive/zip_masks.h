#pragma once
// Windows wildcard masks ("*", "?") matched without regard to case, as the
// files list, the exclude list and directory searches use them.

#include <string>

namespace archive {

// "*" matches any run of characters (also across "\" when the text is a full
// path), "?" one character; "*.*" matches every name, and a trailing ".*"
// also matches a name without a dot.
bool maskMatches(const std::string& mask, const std::string& text);

bool hasWildcards(const std::string& text);

}  // namespace archive
