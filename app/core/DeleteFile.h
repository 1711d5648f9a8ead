#pragma once
// DeleteFile as the program uses it for its own markers and shortcuts: a
// missing file is not an error, and a file that cannot be deleted stays
// where it is (the result says so).

#include <string>

namespace platform {
class FileSystem;
}

namespace corvasta {

// True when the file existed and is gone.
bool DeleteFileIfPresent(platform::FileSystem& files, const std::string& path);

}  // namespace corvasta
