#pragma once
// Running a host command for a Windows program of the machine (machine.ini
// [Programs] "host COMMAND"). This is the one place where the system layer
// starts host processes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// Runs `command` through /bin/sh with `arguments` appended as separate words
// (never re-read by the shell), in `workingFolder`, with CORVASTA_MACHINE set
// to that folder, and waits for it. Returns its exit code; a command killed by
// a signal gives 128 + the signal number. Throws corvasta::Error when no
// process can be started.
uint32_t runHostCommand(const std::string& command, const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingFolder);

}  // namespace platform
