#pragma once
// "C:\Program Files\Corvasta": the files installed beside the program that
// it copies or starts (the DOS edition, unzip, the CMOS and boot-sector
// programs, the MS-DOS-mode program information files).

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

void addProgramDirectory(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
