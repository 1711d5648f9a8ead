#include <iostream>

#include "platform/boot/boot_log.h"
#include "platform/boot/logon_startup.h"
#include "platform/core/codepage.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/simulators/windows_tools.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

// Opens a shortcut as a double-click in Explorer does: our program runs
// through the console front end beside this tool, with the shortcut's
// arguments, and the tool ends with its exit code.
int runOpen(const std::vector<std::string>& args) {
  requireArgumentCount(args, 2);
  platform::registerWindowsToolSimulators();
  auto machine = platform::Machine::open(args[0]);
  platform::FileSystem files(*machine);
  platform::boot::BootLog log(*machine, std::cout);
  const platform::boot::OpenedShortcut opened = platform::boot::openShortcut(
      files, log, consoleProgramBesideTool(), platform::utf8ToAnsi(args[1]));
  if (opened.program && !opened.exitCode) return 1;
  return static_cast<int>(opened.exitCode.value_or(0));
}

}  // namespace

ToolCommand openCommand() {
  return {"open", "DIR WINPATH",
          "Opens the shortcut file WINPATH as a double-click does: a shortcut of Corvasta runs it "
          "(console front end) with the shortcut's arguments; any other target is recorded as "
          "started.",
          runOpen};
}

}  // namespace tool
