#pragma once
// Windows' own programs, drivers, fonts and sounds on a sample machine's
// drive C: stand-ins dated with Windows' release, each added on the versions
// that ship it.

#include <optional>
#include <string>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"
#include "platform/version/fixed_file_info.h"

namespace platform::sample {

// Adds the binaries of `layout`'s Windows version, below the Windows folder
// or, for a few, the drive root.
void addWindowsBinaries(SampleTree& drive, const SampleLayout& layout);

// The Windows directory's REGEDIT.EXE of Windows 9x is a real PE image whose
// version resource says its build (95: 4.0.0.1111, 98: 4.10.0.1998, ME:
// 4.90.0.3000); nullopt for the NT versions.
std::optional<version::FileVersion> registryEditorVersion(WindowsVersion windows);
// Such a Registry Editor of any version, dated `timeDateStamp` (seconds since 1970).
std::string registryEditorImage(version::FileVersion fileVersion, uint32_t timeDateStamp = 0);

}  // namespace platform::sample
