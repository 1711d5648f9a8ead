#pragma once
// The MS-DOS system files that make a disk bootable, as FORMAT /S and SYS
// write them: IO.SYS and MSDOS.SYS (hidden, system, read-only) and
// COMMAND.COM, taken from the root of the drive Windows boots from. Windows
// ME starts from its emergency boot files instead (Windows directory
// COMMAND\EBD), where they are present.

#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace platform {

struct SystemFile {
  std::string source;   // Windows path of the file copied
  std::string name;     // its name on the new disk
  uint32_t attributes;  // the attributes it gets there
};

// The files to write; corvasta::Error when IO.SYS or COMMAND.COM cannot be
// found (MSDOS.SYS is written only where there is one).
std::vector<SystemFile> systemFilesToTransfer(FileSystem& files);

// Writes them into the root of `root` ("A:\"), replacing older ones.
void transferSystemFiles(FileSystem& files, const std::string& root);

}  // namespace platform
