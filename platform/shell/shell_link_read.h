#pragma once
// Reading shortcut (.lnk) files in the Shell Link binary format.

#include <string_view>

#include "platform/shell/shell_link.h"

namespace platform::shell {

// Reads a whole .lnk file. ANSI and Unicode links are accepted, with or
// without an ID list and LinkInfo. The target comes from the LinkInfo, else
// from the ID list; extra data blocks are skipped except the environment
// variable block, which gives environmentTarget. Throws ShellLinkFormatError
// when the bytes are not a well-formed shortcut.
ShellLink readShellLink(std::string_view bytes);

}  // namespace platform::shell
