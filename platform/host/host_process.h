#pragma once
// Starting host processes, and the host environment of our own process.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform::host {

struct CommandOutcome {
  // Set when no process could be started (`started` false) or waited for.
  std::error_code error;
  bool started = false;
  uint32_t exitCode = 0;  // 128 + the signal number for a process killed by one
};

// Runs `command` through /bin/sh with `arguments` appended as separate words
// (never re-read by the shell), in `workingFolder`, with CORVASTA_MACHINE set
// to that folder, and waits for it to end.
CommandOutcome runShellCommand(const std::string& command,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workingFolder);

// A variable of our own process's environment; nullopt when it is not set.
std::optional<std::string> environmentVariable(std::string_view name);

}  // namespace platform::host
