#pragma once
// Which machine a program works on: `--machine DIR` (or `--machine=DIR`) on
// the command line, else the environment variable CORVASTA_MACHINE, else
// $XDG_DATA_HOME/corvasta/machine (~/.local/share/corvasta/machine when
// XDG_DATA_HOME is unset), where a Windows ME sample is created on first use.

#include <filesystem>

namespace platform::sample {

// Takes `--machine DIR` and `--machine=DIR` off the command line (argc and
// argv are updated, argv[argc] stays a null pointer), so that the program
// sees its own switches exactly as on Windows, and returns the machine
// folder. Throws corvasta::Error for `--machine` without a folder, for a
// default location that cannot be determined, or when the default sample
// cannot be created.
std::filesystem::path selectMachineFolder(int& argc, char** argv);

// The folder used when neither the command line nor the environment names
// one.
std::filesystem::path defaultMachineFolder();

}  // namespace platform::sample
