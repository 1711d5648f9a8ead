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
// Exclude list entries: ">" + mask applies in every folder (below the mask's
// own folder when it names one); "|" + mask only to files of the mask's own
// folder; any other mask is matched against the full path when it holds "\",
// against the file name otherwise. Matching ignores case.

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
  enum class Scope { Everywhere, OwnFolder, AsWritten };
  struct Mask {
    Scope scope;
    std::string folder;  // with trailing "\", empty when the mask has none
    std::string pattern;
  };
  std::vector<Mask> masks_;
};

// Each file once, in the order the list names them.
std::vector<SourceFile> expandFilesList(ZipFileSystem& fileSystem,
                                        const std::vector<std::string>& filesList,
                                        const FileListOptions& options);

}  // namespace archive
