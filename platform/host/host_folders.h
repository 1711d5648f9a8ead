#pragma once
// Walking host folders: the names in one folder, and every entry below one.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/host_files.h"

namespace platform::host {

// The names (UTF-8, as the host has them) of the entries of a folder, in host
// order; none when it cannot be read.
std::vector<std::string> folderNames(const std::filesystem::path& folder);

// One entry of a folder with what a stat of it says, links followed as
// opening the path follows them.
struct FolderEntry {
  std::string name;                  // UTF-8, as the host has it
  EntryKind kind = EntryKind::None;  // None: a dangling link, or vanished meanwhile
  uint64_t size = 0;                 // files only
};

// The entries of a folder with their kinds and sizes, in host order; none
// when it cannot be read. One directory read and one stat per entry, relative
// to the open folder, so a walk over a large tree costs what du's does.
std::vector<FolderEntry> folderEntries(const std::filesystem::path& folder);

struct TreeEntry {
  EntryKind kind = EntryKind::None;  // of the entry itself (links are not followed)
  uint64_t size = 0;                 // files only
};

// Calls `visit` for every entry below `root` (not for `root` itself), going
// into folders but not through symbolic links; folders that cannot be read
// are skipped.
void walkTree(const std::filesystem::path& root,
              const std::function<void(const TreeEntry&)>& visit);

}  // namespace platform::host
