// corvasta-machine: creates sample Windows machines and inspects or changes
// existing ones. See `corvasta-machine --help`.

#include <iostream>
#include <string>
#include <vector>

#include "platform/core/errors.h"
#include "platform/simulators/windows_tools.h"
#include "tools/corvasta-machine/tool_command.h"

namespace {

void printUsage(std::ostream& out) {
  out << "Usage: corvasta-machine COMMAND ARGUMENTS\n\n"
      << "Makes, inspects and changes Windows machines in host folders.\n\nCommands:\n";
  for (const auto& command : tool::toolCommands())
    out << "  corvasta-machine " << command.name << " " << command.usage << "\n      "
        << command.summary << "\n";
  out << "\nExit status: 0 done, 1 failed, 2 bad arguments.\n";
}

const tool::ToolCommand* findCommand(const std::string& name) {
  for (const auto& command : tool::toolCommands())
    if (name == command.name) return &command;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  platform::registerWindowsToolSimulators();
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (args.empty()) {
    printUsage(std::cerr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(std::cout);
    return 0;
  }
  const tool::ToolCommand* command = findCommand(args[0]);
  if (!command) {
    std::cerr << "corvasta-machine: unknown command '" << args[0] << "'\n\n";
    printUsage(std::cerr);
    return 2;
  }
  args.erase(args.begin());
  for (const auto& arg : args)
    if (arg == "--help" || arg == "-h") {
      std::cout << "Usage: corvasta-machine " << command->name << " " << command->usage << "\n"
                << command->summary << "\n";
      return 0;
    }
  try {
    return command->run(args);
  } catch (const tool::UsageError& e) {
    std::cerr << "corvasta-machine " << command->name << ": " << e.what() << "\n"
              << "Usage: corvasta-machine " << command->name << " " << command->usage << "\n";
    return 2;
  } catch (const corvasta::Error& e) {
    std::cerr << "corvasta-machine " << command->name << ": " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "corvasta-machine " << command->name << ": " << e.what() << "\n";
    return 1;
  }
}
