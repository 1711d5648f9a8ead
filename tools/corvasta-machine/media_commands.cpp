#include <iostream>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

platform::Drive& removableDrive(const platform::Machine& machine, const std::string& argument) {
  char letter = parseDriveArgument(argument);
  platform::Drive* drive = machine.drive(letter);
  if (!drive) throw corvasta::Error(std::string("drive ") + letter + ": is not on this machine");
  if (drive->config().media.empty())
    throw corvasta::Error(std::string("drive ") + letter + ": holds no changeable media");
  return *drive;
}

int runInsert(const std::vector<std::string>& args) {
  requireArgumentCount(args, 3);
  auto machine = platform::Machine::open(args[0]);
  platform::Drive& drive = removableDrive(*machine, args[1]);
  drive.insert(args[2]);
  std::cout << drive.letter() << ": now holds " << args[2] << "\n";
  return 0;
}

int runEject(const std::vector<std::string>& args) {
  requireArgumentCount(args, 2);
  auto machine = platform::Machine::open(args[0]);
  platform::Drive& drive = removableDrive(*machine, args[1]);
  drive.eject();
  std::cout << drive.letter() << ": is empty\n";
  return 0;
}

}  // namespace

ToolCommand insertCommand() {
  return {"insert", "DIR X: MEDIUM",
          "Inserts the medium MEDIUM (one of the drive's media folders) in drive X:.", runInsert};
}

ToolCommand ejectCommand() {
  return {"eject", "DIR X:", "Takes the medium out of drive X:.", runEject};
}

}  // namespace tool
