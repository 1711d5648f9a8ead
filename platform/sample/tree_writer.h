#pragma once
// Writes a sample drive's tree into its host folder with the chosen file
// times.

#include <filesystem>

#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Creates every folder and file of `tree` below `root` (which is created as
// needed) and sets their modification and access times; folders get theirs
// last, so that writing their contents does not change them again. Throws
// corvasta::Error on a host failure.
void writeSampleTree(const SampleTree& tree, const std::filesystem::path& root);

// Sets a host file's or folder's modification and access times.
void setTimes(const std::filesystem::path& path, SampleTime time);

// The host path of a relative Windows path below `root`.
std::filesystem::path hostPathOf(const std::filesystem::path& root, std::string_view winPath);

}  // namespace platform::sample
