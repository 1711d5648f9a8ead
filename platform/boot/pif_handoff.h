#pragma once
// The "leave Windows for MS-DOS mode" hand-off of Windows 95 and 98: the
// program starts a batch file whose program information file beside it
// (startwin.bat with startwin.pif) is set to MS-DOS mode; Windows then closes
// down, runs the batch file in MS-DOS mode and starts again.
//
// The machine marks the hand-off by the start itself: the journal records
// every program start ("start" and the command line), so a batch file started
// since the last start of Windows whose folder holds a .pif of the same name
// is a pending MS-DOS mode run. The next start runs it before autoexec.bat.

#include <string>
#include <vector>

#include "platform/core/machine.h"

namespace platform::boot {

// The journal's "boot" entry that opens every start of Windows.
inline constexpr const char* kStartOfWindows = "next start of Windows";

// The batch files (full Windows paths) and their arguments handed over for
// MS-DOS mode since the last start, in the order they were started.
struct MsDosModeRun {
  std::string batchFile;
  std::string arguments;
};
std::vector<MsDosModeRun> pendingMsDosModeRuns(const Machine& machine);

}  // namespace platform::boot
