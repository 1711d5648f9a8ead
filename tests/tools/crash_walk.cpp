#include "tests/tools/crash_walk.h"

#include <gtest/gtest.h>

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::writeFile;

namespace crash_walk {

CommandResult machineTool(const std::string& command, const std::filesystem::path& machine) {
  return testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " " + command + " " +
                                     shellQuoted(machine.string()));
}

bool killed(const CommandResult& result) {
  return result.exitCode == 128 + 9 || result.exitCode == -1;
}

bool cutShort(const CommandResult& result) {
  if (killed(result)) return true;
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return false;
}

std::string hostPath(const std::filesystem::path& machine, const std::string& winPath) {
  CommandResult result =
      testing_support::runCommand(std::string(CORVASTA_MACHINE_TOOL) + " path " +
                                  shellQuoted(machine.string()) + " " + shellQuoted(winPath));
  EXPECT_EQ(result.exitCode, 0) << result.output;
  while (!result.output.empty() && result.output.back() == '\n') result.output.pop_back();
  return result.output;
}

int walkCrashPoints(const Walk& walk) {
  const std::string machineIni = readFile(walk.prepared / "machine.ini");
  int crashes = 0;
  for (int n = 1;; ++n) {
    if (n >= walk.limit) {
      ADD_FAILURE() << "the operation never got to its end";
      break;
    }
    SCOPED_TRACE("crash at write or rename " + std::to_string(n));
    CommandResult copied = testing_support::runCommand(
        "rm -rf " + shellQuoted(walk.run.string()) + " && cp -a " +
        shellQuoted(walk.prepared.string()) + " " + shellQuoted(walk.run.string()));
    if (copied.exitCode != 0) {
      ADD_FAILURE() << "the machine folder could not be copied: " << copied.output;
      break;
    }
    writeFile(walk.run / "machine.ini",
              machineIni + "\n[Faults]\nCrashAfterWrites=" + std::to_string(n) + "\n");
    const bool crashed = walk.operation(walk.run);
    writeFile(walk.run / "machine.ini", machineIni);
    walk.check(walk.run, crashed);
    if (!crashed) break;
    ++crashes;
    if (::testing::Test::HasFailure()) break;
  }
  return crashes;
}

}  // namespace crash_walk
