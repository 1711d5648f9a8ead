#pragma once
// The link target ID list: the target named as a path through the shell
// namespace (My Computer, the drive, then one item per folder and the file).

#include <optional>
#include <string>

#include "platform/shell/link_bytes.h"
#include "platform/shell/shell_link.h"

namespace platform::shell {

// True when `path` is a full path on a drive letter ("C:\..." or "C:\").
bool isDrivePath(std::string_view path);

// Writes the LinkTargetIDList structure (size, items, terminator) for the
// link's drive-letter target. Items use the file-entry form Windows 95 writes
// (long name, then short name), which every later version reads; a name that
// Windows-1252 cannot hold is stored in the Unicode form of the item.
void writeTargetIdList(LinkByteWriter& out, const ShellLink& link);

struct IdListPath {
  std::string longPath;
  std::string shortPath;  // empty unless every item carried a short name
};

// Reads a LinkTargetIDList structure, advancing past it. Returns the file
// system path it names, or nothing when its items are not a drive path (a
// control panel item, a network place, an item form not known here).
std::optional<IdListPath> readTargetIdList(LinkByteReader& in);

}  // namespace platform::shell
