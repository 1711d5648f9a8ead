#pragma once
// Windows' own programs, drivers, fonts and sounds on a sample machine's
// drive C: stand-ins dated with Windows' release, each added on the versions
// that ship it.

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Adds the binaries of `layout`'s Windows version, below the Windows folder
// or, for a few, the drive root.
void addWindowsBinaries(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
