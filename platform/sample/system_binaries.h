#pragma once
// Tables of Windows' own binaries on a sample machine: where each lies
// (relative to the Windows folder, or to the drive root with a leading
// backslash), what it is, and its size.

#include <cstddef>
#include <span>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

struct SystemBinary {
  const char* path;  // "SYSTEM\\kernel32.dll", or "\\Program Files\\..." from the root
  const char* role;
  size_t kilobytes;
};

// Adds each binary as a stand-in file dated with Windows' release.
void addSystemBinaries(SampleTree& drive, const SampleLayout& layout,
                       std::span<const SystemBinary> binaries);

}  // namespace platform::sample
