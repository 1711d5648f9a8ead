#pragma once
// Drive C of a Windows 95, 98 or ME machine: boot files in the root, the
// Windows folder with its configuration files, COMMAND, SYSTEM, SYSBCKUP and
// the shell folders, and the usual program folders.

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

void addWin9xInstallation(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
