#pragma once
// Directory search: FindFirstFile / FindNextFile / FindClose.
//
// A search lists the entries of one folder whose long name or 8.3 alias
// matches the mask (wildcard.h), in name order without case, with "." and
// ".." first in a folder that is not a drive root, as Windows returns them.
// Entries that are not yet known by an alias get one here, in the order they
// were created, so that the numbers ~1, ~2 ... follow creation as on Windows.
// Host names that cannot be Windows names (characters Windows forbids, or
// without an ANSI form) are not listed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/machine.h"
#include "platform/files/file_attributes.h"

namespace platform {

// WIN32_FIND_DATA.
struct FindData {
  std::string name;           // long name (ANSI)
  std::string alternateName;  // 8.3 alias; empty when the long name is valid 8.3
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTimes times;
};

class FileSearch {
 public:
  // FindFirstFile on a full path whose last component is the mask
  // ("C:\WINDOWS\*.ini"). Throws OsError PathNotFound when the folder does not
  // exist, FileNotFound when nothing matches.
  FileSearch(Machine& machine, FileAttributes& attributes, std::string_view pattern);

  const FindData& current() const { return entries_[position_]; }
  // FindNextFile: false once every entry was returned (ERROR_NO_MORE_FILES).
  bool next();

 private:
  std::vector<FindData> entries_;
  size_t position_ = 0;
};

// Every entry a search returns, in order; empty when nothing matches.
std::vector<FindData> findAll(Machine& machine, FileAttributes& attributes,
                              std::string_view pattern);

// What a search for the exact path of one entry (no wildcards) returns, found
// without listing its folder: nullopt when there is no such entry. The
// folder is listed only when the entry has no alias yet, once, so that
// aliases still follow the order entries were created in. findAll uses it
// for masks that can match one name only.
std::optional<FindData> findEntry(Machine& machine, FileAttributes& attributes,
                                  std::string_view path);

// What a size estimate needs of one folder: the entries FindFirstFile(folder
// + "\*") lists, without "." and "..", each with its long name, whether it is
// a folder, and a file's size, in name order without case. It reads no attributes and
// gives no 8.3 aliases, so it costs one host listing and one stat per entry;
// the Other Files size scan walks whole trees with it. Throws OsError
// PathNotFound when the folder does not exist.
struct SizedEntry {
  std::string name;  // long name (ANSI)
  bool directory = false;
  uint64_t size = 0;  // files only
};
std::vector<SizedEntry> listFolderSizes(Machine& machine, std::string_view folderPath);

}  // namespace platform
