#pragma once
// "system.1st": the registry as Windows 95/98/ME Setup left it, kept in the
// root of the boot drive as the last resort of a registry restore.

#include <string>

#include "platform/sample/sample_layout.h"

namespace platform::sample {

// The file's bytes: a Windows 9x registry file holding the machine keys
// Setup writes.
std::string originalWin9xRegistry(const SampleLayout& layout);

}  // namespace platform::sample
