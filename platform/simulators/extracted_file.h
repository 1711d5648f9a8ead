#pragma once
// Writing one member of a cabinet to a file as the Windows extractors do.

#include <string>

#include "platform/cabinet/cabinet_read.h"
#include "platform/files/file_system.h"

namespace platform {

// Writes entry `index` of `archive` to `target`, replacing a file there
// whatever its attributes, and gives it the entry's date, time and
// attributes. Throws CabinetReadError or OsError; a file the decoder could
// not finish is removed.
void writeExtractedFile(FileSystem& files, CabinetArchive& archive, size_t index,
                        const std::string& target);

// Clears the attributes of an existing file so it can be replaced.
void makeReplaceable(FileSystem& files, const std::string& path);

}  // namespace platform
