#pragma once
// Drive C of a Windows NT 4, 2000 or XP machine: the NT loader files in the
// root, the Windows folder with system32, its config and repair folders,
// Documents and Settings, and on XP the System Restore folder.

#include <string>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

void addNtInstallation(SampleTree& drive, const SampleLayout& layout);

// "_restore{GUID}": the System Restore folder of an XP machine, with a GUID
// derived from the machine's seed.
std::string systemRestoreFolderName(const SampleLayout& layout);

}  // namespace platform::sample
