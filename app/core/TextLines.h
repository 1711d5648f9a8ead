#pragma once
// Text files as lists of lines, as a string list loads and saves them: lines
// end with CR LF, LF or CR on reading and with CR LF on writing.

#include <string>
#include <string_view>
#include <vector>

namespace platform {
class FileSystem;
}

namespace corvasta {

std::vector<std::string> splitLines(std::string_view text);

// Throws OsError when the file cannot be read.
std::vector<std::string> loadLines(platform::FileSystem& files, const std::string& path);

// Replaces the file with the lines: written to a sibling temporary file first
// and renamed into place, so that a failed write leaves the old file intact.
// Throws OsError when the file cannot be written.
void saveLines(platform::FileSystem& files, const std::string& path,
               const std::vector<std::string>& lines);

}  // namespace corvasta
