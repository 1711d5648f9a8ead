#pragma once
// The registry of a sample machine: the registry files of its Windows
// version with realistic content, and the copies Windows keeps of them.

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Adds the registry files and Windows' own registry backups to the fixed
// drive's tree. Call after the installation's folders and files are in it:
// the registry names the shell folders and the backups hold copies of
// Windows' configuration files.
void addSampleRegistry(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
