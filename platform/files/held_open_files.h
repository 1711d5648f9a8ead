#pragma once
// Files Windows itself holds open while the machine runs, without sharing:
// those machine.ini lists under [OpenFiles] and, on Windows NT, 2000 and XP,
// the loaded registry hives (system32\config\system, software, sam, security,
// default, and each profile's ntuser.dat and UsrClass.dat) with their .log
// files. An offline machine holds nothing.

#include "platform/core/machine.h"

namespace platform {

bool isHeldByWindows(const Machine& machine, const HostLocation& location);

}  // namespace platform
