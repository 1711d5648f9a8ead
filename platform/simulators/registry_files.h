#pragma once
// Windows 9x registry files as the registry tools read, rewrite and compact
// them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/registry/registry_tree.h"

namespace platform {

// The file read and parsed; `bytes`, when given, receives its content.
// Throws corvasta::Error naming the file when it is missing or damaged.
registry::RegistryTree readRegistryFile(FileSystem& files, const std::string& winPath,
                                        std::string* bytes = nullptr);

// Writes a registry file anew, as the tools do when they rebuild one: through
// a sibling renamed over the file when whole (whole_file_write.h), within the
// drive's free space; the file keeps its DOS attributes. Throws OsError
// (DiskFull) with the file as it was.
void replaceRegistryFile(FileSystem& files, const std::string& winPath,
                         const std::vector<uint8_t>& bytes);

// What the registry checker's /fix and /opt leave: every registry file of
// the Windows directory read and written anew, without the free space and
// unused blocks it had collected. Throws corvasta::Error naming the file when
// one cannot be read; then no file has been changed.
void compactRegistryFiles(FileSystem& files);

}  // namespace platform
