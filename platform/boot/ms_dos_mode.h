#pragma once
// Whether a machine runs MS-DOS before Windows starts: the MS-DOS phase of
// the next start (the batch files handed over for MS-DOS mode and
// autoexec.bat). The programs started then are their real-mode editions,
// which see only what MS-DOS sees; the simulators ask here. A batch file
// Windows runs in a DOS box (command.com /c) is not in MS-DOS mode.

#include "platform/core/machine.h"

namespace platform::boot {

bool inMsDosMode(const Machine& machine);

// The machine is in MS-DOS mode while this lives, also when a batch line
// throws.
class MsDosMode {
 public:
  explicit MsDosMode(const Machine& machine);
  ~MsDosMode();
  MsDosMode(const MsDosMode&) = delete;
  MsDosMode& operator=(const MsDosMode&) = delete;

 private:
  const Machine& machine_;
};

}  // namespace platform::boot
