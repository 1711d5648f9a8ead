#pragma once
// One entry of the archive read last, as the engine lists it.

#include <cstdint>
#include <string>

#include "archive/zip_dos_time.h"
#include "archive/zip_format.h"

namespace archive {

struct TZipEntry {
  ZipEntryRecord record;
  std::string Name;    // file name without folder
  std::string Folder;  // stored folder with "\" separators, e.g. "C:\WINDOWS\"
  FileTime Time = 0;   // modification time (local); the current time when the
                       // stored date is not a valid date
  bool Encrypted = false;
  bool Selected = false;
  uint64_t Size = 0;
  uint32_t Attributes = 0;  // DOS attributes as stored
};

}  // namespace archive
