#pragma once
// Shorthands the installation builders use to add files to a drive's tree.

#include <cstddef>
#include <string_view>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// A stand-in for one of Windows' own binaries, dated with Windows' release.
void addSystemBinary(SampleTree& tree, const SampleLayout& layout, std::string_view path,
                     std::string_view role, size_t size, uint8_t attributes = 0);

// A text file (given with "\n" line ends, written with "\r\n").
void addText(SampleTree& tree, std::string_view path, std::string_view text, SampleTime time,
             uint8_t attributes = 0);

// A binary data file (caches, indexes, address books), dated `time`.
void addData(SampleTree& tree, const SampleLayout& layout, std::string_view path, size_t size,
             SampleTime time, uint8_t attributes = 0);

// The file name part of a relative Windows path.
std::string_view fileNameOf(std::string_view path);

}  // namespace platform::sample
