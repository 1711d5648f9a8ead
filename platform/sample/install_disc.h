#pragma once
// The Windows installation CD in the sample machine's CD-ROM drive: the
// setup programs and the tools the program asks the user to find on it
// (winnt32.exe for the NT setup disks, makeboot.exe on Windows 2000 and XP).

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

void addInstallDisc(SampleTree& disc, const SampleLayout& layout);

}  // namespace platform::sample
