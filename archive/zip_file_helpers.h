#pragma once
// Small questions the engine asks of the file system in several places.

#include <cstdint>
#include <string>

#include "archive/zip_file_system.h"

namespace archive {

// A file (not a folder) of that name exists.
bool fileExists(ZipFileSystem& fs, const std::string& path);
// The file's size; 0 when it does not exist.
uint64_t fileSize(ZipFileSystem& fs, const std::string& path);
// Creates every missing folder of a path ending in "\" (or of a file path's
// folder), outermost first, below the drive root.
void createFolders(ZipFileSystem& fs, const std::string& path);
// ".zip" of "C:\SET\name.zip"; empty when the name has no extension.
std::string extensionOf(const std::string& path);

}  // namespace archive
