#pragma once
// The two parts of a Windows path the archiving routines name things by.

#include <string>

namespace corvasta {

// The last element of a path ("C:\SET\desktop.zip" gives "desktop.zip").
inline std::string pathFileName(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder of a path with its final backslash; empty when it has none.
inline std::string pathFolder(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace corvasta
