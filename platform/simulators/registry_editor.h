#pragma once
// The Registry Editor simulator (regedit): REGEDIT4 export, import and
// rebuild over the machine's registry files. Exit code 0 on success, 1 on
// any failure (a batch file tests it with "if errorlevel 1").

#include <cstdint>
#include <string>

#include "platform/core/machine.h"

namespace platform {

uint32_t runRegistryEditor(Machine& machine, const std::string& commandLine);

}  // namespace platform
