#pragma once
// A small Windows ME machine for the profile tests: drive C: (plain host
// folder), drive A: (a 1.44 MB diskette with a capacity) and CD drive D:.

#include <memory>

#include "platform/core/machine.h"
#include "tests/support/temp_dir.h"

namespace profile_test {

inline std::unique_ptr<platform::Machine> makeMachine(const testing_support::TempDir& dir) {
  testing_support::writeFile(dir / "machine.ini",
                             "[Machine]\nWindows=me\n"
                             "[Drive A]\nType=removable\nFolder=a\nCapacity=1457664\n"
                             "[Drive C]\nFolder=c\n"
                             "[Drive D]\nType=cdrom\nFolder=d\n");
  std::filesystem::create_directories(dir / "c" / "WINDOWS");
  std::filesystem::create_directories(dir / "a");
  std::filesystem::create_directories(dir / "d");
  return platform::Machine::open(dir.path());
}

}  // namespace profile_test
