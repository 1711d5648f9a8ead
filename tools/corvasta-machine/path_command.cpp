#include <iostream>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/core/win_path.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

int runPath(const std::vector<std::string>& args) {
  requireArgumentCount(args, 2);
  auto machine = platform::Machine::open(args[0]);
  platform::WinPath parsed = platform::parseWinPath(args[1]);
  if (!parsed.device && !machine->drive(parsed.drive))
    throw corvasta::Error(std::string("drive ") + parsed.drive +
                          ": is not a drive of this machine");
  platform::HostLocation location = machine->resolve(args[1]);
  std::cout << location.host.string() << "\n";
  return 0;
}

}  // namespace

ToolCommand pathCommand() {
  return {"path", "DIR WINPATH",
          "Prints the host path a Windows path maps to (found without regard to case; for a "
          "path that does not exist yet, where it would be created).",
          runPath};
}

}  // namespace tool
