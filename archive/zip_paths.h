#pragma once
// Entry names and Windows paths: the stored form of a source path, the
// folder and name of a stored entry, and the safe destination of an entry on
// extraction.

#include <string>
#include <vector>

namespace archive {

struct StoredPathOptions {
  bool storePaths = true;
  bool storeVolumes = true;
};

// The name an entry gets for a source file, with "/" separators as the
// application note asks: "C:/WINDOWS/win.ini", "WINDOWS/win.ini" or "win.ini".
std::string storedName(const std::string& windowsPath, const StoredPathOptions& options);

// Stored names use "/" or "\"; entries are listed with "\" as on Windows.
std::string toWindowsSeparators(std::string name);
// "C:\WINDOWS\" of "C:/WINDOWS/win.ini" (empty without a folder).
std::string entryFolder(const std::string& storedName);
// "win.ini" of "C:/WINDOWS/win.ini".
std::string entryFileName(const std::string& storedName);

struct ExtractTarget {
  std::vector<std::string> folders;  // folders to create, outermost first
  std::string path;                  // the file to write
};

struct ExtractPlacement {
  std::string destDir;  // empty: the stored full path
  bool recreateDirs = true;
  std::string rootDir;  // where stored names without a drive go when destDir is empty
};

// Where an entry is written. Throws ZipUnsafePathError when the stored name
// climbs out with "..", names a device (CON, NUL, COM1, ...), or carries
// characters no Windows file name may hold: the path is built from checked
// components, never by comparing string prefixes.
ExtractTarget extractionTarget(const std::string& storedName, const ExtractPlacement& placement);

// Whether a folder entry ("./", "/", "C:/") names no folder below its root:
// it stands for the destination itself, so there is nothing to create.
bool namesOnlyTheRoot(const std::string& storedName);

// Appends "\" when missing.
std::string withBackslash(std::string folder);

// ".zip" of "C:\SET\name.zip"; empty when the name has no extension.
std::string extensionOf(const std::string& path);
// "C:\SET\name" of "C:\SET\name.zip" (the path itself without an extension).
std::string withoutExtension(const std::string& path);

}  // namespace archive
