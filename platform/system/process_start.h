#pragma once
// CreateProcess and WinExec on the machine. The command line names a program
// file that must exist on the machine (see program_search.h); machine.ini
// [Programs] then decides what running it does, looked up by the program's
// full path, then by its file name:
//   - "simulator NAME": the registered simulator is called with the machine
//     and the whole command line, and its result is the exit code;
//   - "host COMMAND": the host command runs with the Windows arguments
//     appended, and its exit code is the program's;
//   - "exit N": the program runs and ends with exit code N.
// A program not listed runs and ends with exit code 0. Every start is
// recorded in the journal ("start", the command line). Programs run to their
// end before the call returns.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/errors.h"
#include "platform/core/machine.h"

namespace platform {

struct ProcessResult {
  WinError error = WinError::Success;  // FileNotFound when nothing could be started
  uint32_t exitCode = 0;
  std::string program;  // full Windows path of the program started
  bool started() const { return error == WinError::Success; }
};

// The [Programs] line for the program at `winPath`: by its full path, then by
// its file name; null when none names it.
const ProgramAction* actionFor(const MachineConfig& config, const std::string& winPath);

// CreateProcess with no application name, waiting for the process to end.
// `currentDirectory` empty: the program directory. Throws corvasta::Error when
// machine.ini names a simulator that is not registered.
ProcessResult createProcess(Machine& machine, std::string_view commandLine,
                            std::string_view currentDirectory = {});

// Runs a host command for a Windows program of the machine (machine.ini
// [Programs] "host COMMAND"), or a host program the next start of Windows
// runs: through /bin/sh with `arguments` appended as separate words, in
// `workingFolder`, with CORVASTA_MACHINE set to that folder, waiting for it.
// Returns its exit code (128 + the signal number for a process killed by
// one). Throws corvasta::Error when no process can be started.
uint32_t runHostCommand(const std::string& command, const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingFolder);

// WinExec: more than 31 when the program was started, else ERROR_FILE_NOT_FOUND (2).
inline constexpr uint32_t kWinExecStarted = 33;
uint32_t winExec(Machine& machine, std::string_view commandLine);

}  // namespace platform
