#pragma once
// Writing a file so that its name holds the old content or the new one at
// every moment, as the registry tools write registry files and exports: the
// new bytes go into a sibling in the same folder, which is renamed over the
// file once it is whole. Every step goes through the machine's files, so it
// counts against the drive's free space and as a write or rename of the
// crash point.

#include <string>
#include <string_view>

#include "platform/files/file_system.h"

namespace platform {

// The sibling `winPath` is written through first: the same folder and stem,
// extension "$$$".
std::string siblingOf(const std::string& winPath);

// Writes `bytes` as the file `winPath`, creating it or replacing it whole; a
// file replaced keeps its DOS attributes (a new one gets the archive bit).
// Throws OsError (DiskFull when the drive has no room for the whole new file
// beside the old one); then `winPath` is as it was and no sibling is left.
void writeWholeFile(FileSystem& files, const std::string& winPath, std::string_view bytes);

// The bytes of a file of the machine, opened with `share`. Throws OsError
// when it cannot be opened.
std::string readWholeFile(FileSystem& files, const std::string& winPath,
                          uint32_t share = kFileShareRead);

}  // namespace platform
