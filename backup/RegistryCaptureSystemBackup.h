#pragma once
// Windows 98's own registry backups: the cabinets "rb???.cab" that scanregw
// leaves in the system-backup folder, and the newest of them.

#include <string>

namespace platform {
class FileSystem;
}

namespace corvasta {

// The full path of the newest "rb???.cab" of `folder` (with a final
// backslash) by modification time; "rbbad.cab", where Windows puts a damaged
// registry aside, never counts. Empty when the folder holds none.
std::string newestSystemBackup(platform::FileSystem& files, const std::string& folder);

}  // namespace corvasta
