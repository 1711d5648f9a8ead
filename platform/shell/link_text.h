#pragma once
// Text conversions of the shortcut format: links hold strings either in the
// ANSI code page (Windows-1252 here) or in UTF-16LE; the data model holds UTF-8.

#include <string>
#include <string_view>

#include "platform/core/codepage.h"
#include "platform/shell/link_bytes.h"

namespace platform::shell {

// True when Windows-1252 cannot hold the text, so the link must store it as
// UTF-16.
bool needsUnicode(std::string_view utf8);

// A zero-terminated string in the code page or in UTF-16, as UTF-8.
std::string readTextZ(LinkByteReader& in, bool unicode, const char* what);
// Writes text zero-terminated in the code page or in UTF-16.
void writeTextZ(LinkByteWriter& out, std::string_view utf8, bool unicode);

}  // namespace platform::shell
