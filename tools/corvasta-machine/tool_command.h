#pragma once
// The subcommands of corvasta-machine. Each lives in a file of its own and
// is listed once in command_table.cpp.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tool {

struct ToolCommand {
  const char* name;
  const char* usage;    // arguments after the name, e.g. "DIR WINPATH"
  const char* summary;  // one line for the help text
  // Runs with the arguments after the subcommand's name and returns the exit
  // status. Throws UsageError for bad arguments and corvasta::Error for
  // failures.
  int (*run)(const std::vector<std::string>& args);
};

// Arguments that do not fit the subcommand: the tool prints the message and
// its usage and ends with exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const std::vector<ToolCommand>& toolCommands();

// The subcommands, one per file.
ToolCommand createCommand();
ToolCommand infoCommand();
ToolCommand pathCommand();
ToolCommand insertCommand();
ToolCommand ejectCommand();
ToolCommand regCommand();
ToolCommand shortcutCommand();
ToolCommand bootCommand();
ToolCommand isoCommand();
ToolCommand openCommand();
ToolCommand discCommand();

// Helpers shared by the subcommands.
// The `corvasta` executable, built beside this tool.
std::filesystem::path consoleProgramBesideTool();
void requireArgumentCount(const std::vector<std::string>& args, size_t count);
// "A:", "a:" or "A" as an upper-case drive letter.
char parseDriveArgument(const std::string& text);

}  // namespace tool
