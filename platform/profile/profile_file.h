#pragma once
// A private-profile file on the machine, named by a Windows path: read whole
// for each call and written whole for each change, so nothing is cached
// between calls and every write is on disk before the next read.

#include <string>
#include <string_view>

#include "platform/core/ini_document.h"
#include "platform/core/machine.h"

namespace platform {

// The full Windows path of a profile file: a name that is not a full path
// ("win.ini", "sub\x.ini") lies in the Windows directory, as Windows takes it.
std::string profileWinPath(const Machine& machine, std::string_view fileName);

// The file's contents; an empty document when the file, its folder or its
// drive does not exist or cannot be read.
IniDocument loadProfile(const Machine& machine, std::string_view winPath);

// Writes the document with CR LF line ends through a sibling file and a
// rename, as Windows rewrites a profile file: a read-only file is refused
// (AccessDenied), a file that is replaced keeps its DOS attributes and
// creation time and gets the archive bit, a new file gets its 8.3 alias. A
// drive with a capacity that cannot hold the new contents refuses the write
// with DiskFull. A refused write changes nothing. Every failure throws
// OsError with the message "Unable to write to " + winPath.
void saveProfile(Machine& machine, std::string_view winPath, const IniDocument& doc);

}  // namespace platform
