#pragma once
// The error-list lines for a file that could not be backed up: its path, and
// for the boot files most computers lack, a hint to untick them.

#include <string>
#include <vector>

namespace corvasta {

void recordMissingFile(std::vector<std::string>& errorList, const std::string& path);

}  // namespace corvasta
