#pragma once
// FORMAT (format.com) and SYS (sys.com) on the machine's drives.
//   FORMAT drive: [/V[:label]] [/Q] [/U] [/S] [/B] [/C] [/F:size] [/AUTOTEST]
//          (and the NT switches /FS:, /A:, /X)
// formats the medium in a removable drive: every file and folder on it is
// removed, the volume label becomes the /V label in capitals (11 characters
// at most; asked for without /V, and the answer that leaves it empty is
// taken) and /S writes the system files. The questions FORMAT asks take
// their default answers: "press ENTER when ready" goes on, "Format another"
// is No, and "Proceed with Format" for a fixed disk is No, so a fixed disk is
// never formatted (exit code 5). Exit code 4 for a drive that does not exist,
// is not ready or cannot be formatted (CD-ROM).
//   SYS [source] drive:
// writes the system files to the root of the drive (exit code 1 on failure).
// Failures are journalled with the command line.

#include <cstdint>
#include <string>

#include "platform/core/machine.h"

namespace platform {

uint32_t runDiskFormat(Machine& machine, const std::string& commandLine);
uint32_t runSystemTransfer(Machine& machine, const std::string& commandLine);

}  // namespace platform
