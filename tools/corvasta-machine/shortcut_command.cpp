#include <iostream>

#include "platform/boot/machine_links.h"
#include "platform/core/codepage.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

void printLink(const platform::shell::ShellLink& link) {
  std::cout << "Target: " << link.target << "\n"
            << "Arguments: " << link.arguments << "\n"
            << "Description: " << link.description << "\n"
            << "Working directory: " << link.workingDir << "\n"
            << "Icon: " << link.iconLocation << "," << link.iconIndex << "\n"
            << "Show command: " << static_cast<uint32_t>(link.showCommand) << "\n";
}

int runShortcut(const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError("missing arguments");
  auto machine = platform::Machine::open(args[0]);
  platform::FileSystem files(*machine);
  std::string path = platform::utf8ToAnsi(args[1]);
  if (args.size() == 2) {
    printLink(platform::boot::readLinkFile(files, path));
    return 0;
  }
  platform::shell::ShellLink link;
  for (size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) throw UsageError("option '" + args[i] + "' needs a value");
    const std::string& value = args[i + 1];
    if (args[i] == "--target")
      link.target = value;
    else if (args[i] == "--args")
      link.arguments = value;
    else if (args[i] == "--description")
      link.description = value;
    else if (args[i] == "--workdir")
      link.workingDir = value;
    else
      throw UsageError("unknown option '" + args[i] + "'");
  }
  if (link.target.empty()) throw UsageError("--target is needed to create a shortcut");
  platform::boot::writeLinkFile(files, path, link);
  return 0;
}

}  // namespace

ToolCommand shortcutCommand() {
  return {"shortcut", "DIR WINPATH [--target T --args A --description D --workdir W]",
          "Creates the shortcut file WINPATH on the machine (with --target), or prints the one "
          "that is there.",
          runShortcut};
}

}  // namespace tool
