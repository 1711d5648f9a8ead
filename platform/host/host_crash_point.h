#pragma once
// A fault for showing crash safety: the process ends as a kill -9 ends it, at
// its N-th file write or rename. Every write and rename of the host layer
// counts, whatever it writes (machine files, attribute records, the journal),
// so that walking N over a whole operation stops it at each step in turn.
// The N-th write puts down only the first half of its bytes first, as a kill
// in the middle of a write leaves the file.

#include <cstddef>
#include <cstdint>

namespace platform::host {

// Arms the crash at the `count`-th write or rename from now; 0 disarms it.
// Once armed, a later call with the same count leaves the count running (a
// process that opens its machine twice still ends at the same step).
void setCrashAfterWrites(uint64_t count);

// How much of a write to put down before the crash point ends the process.
struct WriteAllowance {
  size_t bytes;     // all of them, or the first half at the crash point
  bool crashAfter;  // the caller writes `bytes` and then calls crashNow()
};
// Counts one write of `size` bytes.
WriteAllowance countWrite(size_t size);
// Counts one rename; at the crash point the process ends before renaming.
void countRename();
// Ends the process at once, as SIGKILL does: no destructor runs, nothing is
// flushed.
[[noreturn]] void crashNow();

}  // namespace platform::host
