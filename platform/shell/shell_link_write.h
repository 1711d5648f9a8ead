#pragma once
// Writing shortcut (.lnk) files in the Shell Link binary format.

#include <string>

#include "platform/shell/shell_link.h"

namespace platform::shell {

// The bytes of a .lnk file for `link`, in the form Windows 95 to XP read:
// for a drive-letter target an ID list (My Computer, the drive, one item per
// path component) and a LinkInfo with the VolumeID and local base path; for
// a UNC target a LinkInfo with the network share. Strings are stored as ANSI
// unless one of them needs a character Windows-1252 lacks, then as UTF-16
// with the IsUnicode flag. Throws ShellLinkFormatError for a target that is
// not a full path and for strings too long for the format.
std::string writeShellLink(const ShellLink& link);

}  // namespace platform::shell
