#include <iostream>

#include "platform/boot/next_start.h"
#include "platform/core/machine.h"
#include "platform/simulators/windows_tools.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {

std::filesystem::path consoleProgramBesideTool() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return self.parent_path() / "corvasta";
}

namespace {

int runBoot(const std::vector<std::string>& args) {
  requireArgumentCount(args, 1);
  platform::registerWindowsToolSimulators();
  auto machine = platform::Machine::open(args[0]);
  platform::boot::startWindows(*machine, std::cout, {consoleProgramBesideTool()});
  return 0;
}

}  // namespace

ToolCommand bootCommand() {
  return {"boot", "DIR",
          "Starts Windows on the machine as after a restart: batch files for MS-DOS mode, "
          "autoexec.bat, wininit.ini, pending moves and hive replacements, then the Startup "
          "folder's shortcuts.",
          runBoot};
}

}  // namespace tool
