#pragma once
// The folders of an extraction's targets, made as createFolders makes them
// (zip_file_system.h), but each folder is asked about or made only once per
// extraction: thousands of files in one folder cost one check of the folder
// and of each folder above it, not one per file.

#include <string>
#include <unordered_set>

#include "archive/zip_file_system.h"

namespace archive {

class FolderMaker {
 public:
  explicit FolderMaker(ZipFileSystem& fs) : fs_(fs) {}
  // Every missing folder of a path ending in "\" (or of a file path's folder).
  void makeFor(const std::string& path);

 private:
  ZipFileSystem& fs_;
  std::unordered_set<std::string> known_;  // folders in ANSI upper case
};

}  // namespace archive
