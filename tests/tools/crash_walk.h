#pragma once
// Walking the crash point ([Faults] CrashAfterWrites) over an operation on a
// machine: for N = 1, 2, ... a copy of a prepared machine folder runs the
// operation with its processes ended as by kill -9 at their N-th file write
// or rename, and the machine is checked afterwards. The walk ends at the
// first N that no longer crashes the operation.

#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/temp_dir.h"

namespace crash_walk {

// corvasta-machine COMMAND "MACHINE".
testing_support::CommandResult machineTool(const std::string& command,
                                           const std::filesystem::path& machine);

// A process the crash point ended: the shell reports the signal as 128 + 9,
// or the status is no exit at all.
bool killed(const testing_support::CommandResult& result);
// For one process of an operation: true when it was killed; otherwise it
// must have ended with exit code 0.
bool cutShort(const testing_support::CommandResult& result);

// The host path of a Windows path on the machine (corvasta-machine path).
std::string hostPath(const std::filesystem::path& machine, const std::string& winPath);

struct Walk {
  std::filesystem::path prepared;  // the machine folder each run starts from
  std::filesystem::path run;       // where each run's copy goes
  // Runs the operation on `run`; true when one of its processes was killed.
  std::function<bool(const std::filesystem::path& run)> operation;
  // Checks the machine after the operation, with the faults taken out of
  // machine.ini again (so it may start Windows once more); `crashed` tells
  // whether the operation was cut short.
  std::function<void(const std::filesystem::path& run, bool crashed)> check;
  int limit = 500;  // a walk this long means the operation never ends
};

// Returns how many N crashed the operation. Stops early at the first N whose
// check failed, with that N in the test's trace.
int walkCrashPoints(const Walk& walk);

}  // namespace crash_walk
