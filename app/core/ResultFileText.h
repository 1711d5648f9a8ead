#pragma once
// The content of results.txt after a flush of the activity log buffer: the
// new entry (its runs of line breaks shrunk to one), two empty lines, then
// the first 1000 lines of the old file.

#include <string>
#include <vector>

namespace corvasta {

// Lines of the old file kept below the new entry.
inline constexpr size_t kResultFileKeptLines = 1000;

// `buffer`: the activity log buffer (each line preceded by a carriage
// return); `oldLines`: the lines of the existing file.
std::vector<std::string> ComposeResultLines(const std::string& buffer,
                                            const std::vector<std::string>& oldLines);

}  // namespace corvasta
