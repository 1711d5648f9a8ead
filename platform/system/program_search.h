#pragma once
// Finding the program file a command line names on the machine.
//
// A name without a folder is searched, in this order, in the program's own
// directory, the current directory, the System directory, on NT the 16-bit
// System directory (Windows directory + "\SYSTEM"), the Windows directory and
// the folders of PATH. A name without an extension is tried with ".exe",
// ".com" and ".bat" in that order. A relative path is taken from the current
// directory. Only an existing file counts.

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/machine.h"

namespace platform {

struct FoundProgram {
  std::string winPath;    // full Windows path with the real long names
  std::string arguments;  // the command line after the program
};

// nullopt when no candidate of the command line names an existing file.
std::optional<FoundProgram> findProgram(const Machine& machine, std::string_view commandLine,
                                        std::string_view currentDirectory);

}  // namespace platform
