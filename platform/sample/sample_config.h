#pragma once
// machine.ini of a sample machine: the Windows version and its directories,
// the drives (C fixed, A a 1.44 MB diskette drive with three diskettes, D a
// CD-ROM drive holding the Windows CD), the environment Windows sets, the
// locale, and what the Windows tools do when the program starts them.

#include <filesystem>

#include "platform/core/machine_config.h"
#include "platform/sample/sample_layout.h"

namespace platform::sample {

// Capacity of a 3.5" high-density diskette as Windows reports it.
inline constexpr uint64_t kDisketteCapacity = 1457664;

// Host folders of the drives inside the machine folder.
std::filesystem::path sampleDriveFolder(const std::filesystem::path& machineDir, char letter);

// `dir` is the machine folder; drive folders are placed below it.
MachineConfig sampleMachineConfig(const SampleLayout& layout, const std::filesystem::path& dir,
                                  bool running);

}  // namespace platform::sample
