#pragma once
// The arguments a simulated Windows tool was started with: the text of its
// command line after the program, split as MS-DOS programs split it (blanks
// separate, double quotes group and are dropped, backslashes are plain
// characters, so "C:\WINDOWS\r27\" stays a folder).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/machine.h"

namespace platform {

std::vector<std::string> toolArguments(const Machine& machine, const std::string& commandLine);

// "/E", "/e" and, for the NT tools, "-e" name the same switch `name` ("e").
bool isSwitch(std::string_view argument, std::string_view name);
// True when `argument` is the switch `name` with a value ("/V:label",
// "-F:*.*"); the text after the colon goes to `value`.
bool switchValue(std::string_view argument, std::string_view name, std::string& value);

// A path given relative to the current directory of the tool. A simulated
// tool runs in the program directory, where the program starts it.
std::string toolPath(const Machine& machine, const std::string& path);

// The fault `name` the machine's [Programs] line gives the tool started by
// `commandLine` ("fail=create:USER.DAT"); null when it gives none.
const ToolFault* toolFault(const Machine& machine, const std::string& commandLine,
                           std::string_view name);

// Runs a tool's work: exit code 0, or 1 when it throws corvasta::Error, which
// is journalled under the tool's name with the command line.
uint32_t runJournalled(Machine& machine, const char* tool, const std::string& commandLine,
                       const std::function<void()>& work);

}  // namespace platform
