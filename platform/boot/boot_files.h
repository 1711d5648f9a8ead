#pragma once
// File operations of the start of Windows, before Windows opens anything: the
// files a running machine's Windows holds open (its hives, machine.ini
// [OpenFiles]) are free at that point, which is why files in use are
// replaced at the next start. Read-only, hidden and system attributes do not
// stop these operations, as they do not stop WININIT or the NT session
// manager.

#include <string>

#include "platform/files/file_system.h"

namespace platform::boot {

// Deletes a file or an empty folder. Throws OsError when it cannot.
void deleteAtStart(FileSystem& files, const std::string& path);
// Moves `source` to `destination`, replacing a file there. Throws OsError.
// A file in the way is replaced by the rename, never deleted first.
void moveAtStart(FileSystem& files, const std::string& source, const std::string& destination);
// Copies `source` to `destination`, replacing a file there. Throws OsError.
void copyAtStart(FileSystem& files, const std::string& source, const std::string& destination);

}  // namespace platform::boot
