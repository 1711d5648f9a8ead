#pragma once
// WININIT: at the start of Windows 95, 98 and ME, the [Rename] section of
// wininit.ini in the Windows directory is carried out line by line
// ("destination=source" moves source over destination; "NUL=source" deletes
// source), and the file is renamed to wininit.bak so it is done only once.

#include "platform/boot/boot_log.h"
#include "platform/files/file_system.h"

namespace platform::boot {

// Carries out wininit.ini when there is one. A line that cannot be carried
// out is reported and the rest go on, as WININIT does.
void runWininit(FileSystem& files, BootLog& log);

}  // namespace platform::boot
