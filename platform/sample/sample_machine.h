#pragma once
// Sample Windows installations: a machine folder holding machine.ini, a
// fixed drive C with a realistic installation of one Windows version, and a
// 1.44 MB diskette drive A with three diskettes. Used by tests, by the demo
// and for the machine a new user gets on first start.

#include <cstdint>
#include <filesystem>

#include "platform/core/machine_config.h"
#include "platform/core/windows_version.h"

namespace platform::sample {

struct SampleOptions {
  // Number of user profiles. Negative: the version's default, one profile on
  // NT and none on Windows 95/98/ME. On Windows 95/98/ME a number above 0
  // turns user profiles on (folders under WINDOWS\Profiles); NT needs at
  // least one.
  int users = -1;
  // Running (a live system) or offline (a tree seen from outside).
  bool running = true;
  // Seed of every generated content; the same seed gives the same bytes.
  uint32_t seed = 1998;
};

// Most profiles a sample machine gets.
inline constexpr int kMaxSampleUsers = 12;

// Creates the sample in `dir`, which must not exist or be empty. Throws
// corvasta::Error for a folder that holds anything, bad options or a host
// failure (partly written trees are left for inspection).
void createSampleMachine(const std::filesystem::path& dir, WindowsVersion version,
                         const SampleOptions& options = {});

}  // namespace platform::sample
