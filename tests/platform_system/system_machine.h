#pragma once
// Machines for the system tests: drive C: in a temporary folder, the given
// Windows version and extra machine.ini lines (sections after [Drive C]).

#include <memory>
#include <string>

#include "platform/core/machine.h"
#include "tests/support/temp_dir.h"

namespace system_test {

inline std::unique_ptr<platform::Machine> makeMachine(const testing_support::TempDir& dir,
                                                      const std::string& windows,
                                                      const std::string& machineKeys = "",
                                                      const std::string& sections = "") {
  testing_support::writeFile(
      dir / "machine.ini",
      "[Machine]\nWindows=" + windows + "\n" + machineKeys + "[Drive C]\nFolder=c\n" + sections);
  std::filesystem::create_directories(dir / "c");
  return platform::Machine::open(dir.path());
}

}  // namespace system_test
