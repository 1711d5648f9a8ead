#pragma once
// What the registry checker's /fix and /opt leave: every registry file of
// the Windows directory read and written anew, without the free space and
// unused blocks it had collected.

#include "platform/files/file_system.h"

namespace platform {

// Throws corvasta::Error naming the file when one cannot be read; then no
// file has been changed.
void compactRegistryFiles(FileSystem& files);

}  // namespace platform
