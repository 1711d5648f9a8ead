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

// One folder's entries as FindFirstFile(folder + "\\*") lists them, without
// "." and "..", in name order without case, with only what listing folders
// for a view or a size estimate needs: no attributes are read.
struct ListedEntry {
  std::string name;           // long name (ANSI)
  std::string alternateName;  // listFolderNames only: the 8.3 alias, as FindData has it
  bool directory = false;
  uint64_t size = 0;  // files only
};

// Names, folder flags and sizes, without aliases: one host listing and one
// stat per entry. The Other Files size scan walks whole trees with it. Throws
// OsError PathNotFound when the folder does not exist.
std::vector<ListedEntry> listFolderSizes(Machine& machine, std::string_view folderPath);

// The same with each entry's 8.3 alias (given now to entries without one),
// for lists that match masks as the search does (searchMatches).
std::vector<ListedEntry> listFolderNames(Machine& machine, std::string_view folderPath);

// Whether a search with `mask` returns an entry: its long name or its alias
// (empty: none) matches.
bool searchMatches(std::string_view mask, std::string_view name, std::string_view alias);

}  // namespace platform
