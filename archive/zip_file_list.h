#pragma once
// Turns the writer's files list and exclude list into the files to store.
//
// Files list entries: a path ending in "\" is ignored; a path without
// wildcards is that one file (dropped when missing); a path whose file part
// has wildcards takes the matching files of its folder, and of all subfolders
// when recursion applies: always after a leading ">", never after a leading
// "|", otherwise as the Recurse setting says. "*.*" is "*". An entry without
// a folder is taken relative to the root folder.
//
// Exclude list entries follow the scope rule (zip_scope.h): ">" + mask
// applies in every folder, "|" + mask only to files of the mask's own folder,
// both matched against the full path. A mask without "\" is matched against
// the file name (after "|": of the root folder's files only). Matching
// ignores case.

#include <string>
#include <vector>

#include "archive/zip_file_system.h"

namespace archive {

struct SourceFile {
  std::string path;
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTimes times;
};

struct FileListOptions {
  bool recurse = false;
  std::string rootDir = "C:\\";
  bool skipIfArchiveBitNotSet = false;
  std::vector<std::string> excludeList;
  std::vector<std::string> neverAdd;  // the archive itself and its temporary file
};

class ExcludeMasks {
 public:
  ExcludeMasks(const std::vector<std::string>& excludeList, const std::string& rootDir);
  bool excludes(const std::string& fullPath) const;

 private:
  std::vector<std::string> scoped_;  // entries for scopeMatches
  std::vector<std::string> names_;   // masks of a file name
};

// Each file once, in the order the list names them.
std::vector<SourceFile> expandFilesList(ZipFileSystem& fileSystem,
                                        const std::vector<std::string>& filesList,
                                        const FileListOptions& options);

}  // namespace archive
