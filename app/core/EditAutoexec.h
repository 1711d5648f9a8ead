#pragma once
// EditAutoexec: inserts or removes the program's lines in a batch file such
// as autoexec.bat. A line belongs to the program when it begins with `prefix`
// or with "del " + `prefix` (case-sensitive).

#include <string>
#include <vector>

namespace platform {
class FileSystem;
}

namespace corvasta {

// The edit on the file's lines: the lines as EditAutoexec saves them.
std::vector<std::string> EditBatchLines(std::vector<std::string> lines, const std::string& prefix,
                                        bool remove, bool insert, const std::string& line);

// `remove`: deletes every line of the program. `insert`: puts `line` before
// the first line of the program, or appends it when there is none. A file
// line that begins with one of the lines of `line` is a leftover of an
// earlier edit and is deleted. `line` may hold several lines. A missing
// file counts as empty; it is created only when there is something to write.
// Throws OsError when the file cannot be read or written.
void EditAutoexec(platform::FileSystem& files, const std::string& file, const std::string& prefix,
                  bool remove, bool insert, const std::string& line);

}  // namespace corvasta
