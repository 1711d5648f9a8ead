#pragma once
// The Windows directory's REGEDIT.EXE of any build, for the tests of what the
// program does with an older or newer Registry Editor than the sample's.

#include <string>

#include "platform/files/file_system.h"
#include "platform/version/fixed_file_info.h"

namespace testing_support {

// Writes `path` (default: the Windows directory's REGEDIT.EXE) as a PE image
// whose version resource gives `version` (e.g. 4.0.0.1110).
void writeRegistryEditor(platform::FileSystem& files, platform::version::FileVersion version,
                         std::string path = {});

}  // namespace testing_support
