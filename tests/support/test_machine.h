#pragma once
// A machine for tests: machine.ini and drive folders in a test folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "tests/support/machine_builder.h"

namespace testing_support {

struct TestDrive {
  char letter = 'C';
  platform::DriveType type = platform::DriveType::Fixed;
  std::optional<uint64_t> capacity;  // bytes; 1457664 for a 1.44 MB diskette
  std::vector<std::string> media;    // removable media folders; the first is inserted
};

// Writes machine.ini for a running machine of `version` with the drives (host
// folders `dir`/drives/<letter>[/<medium>], created empty) and opens it.
// `adjust` may change the configuration before it is written.
std::unique_ptr<platform::Machine> makeTestMachine(
    const std::filesystem::path& dir, platform::WindowsVersion version,
    std::vector<TestDrive> drives = {TestDrive{}},
    const std::function<void(platform::MachineConfig&)>& adjust = {});

}  // namespace testing_support
