#include "platform/simulators/tool_arguments.h"

#include "platform/boot/dos_session.h"
#include "platform/core/codepage.h"
#include "platform/system/journal.h"
#include "platform/system/process_start.h"
#include "platform/system/program_search.h"

namespace platform {

std::vector<std::string> toolArguments(const Machine& machine, const std::string& commandLine) {
  auto program = findProgram(machine, commandLine, machine.config().programDirectory);
  return program ? boot::dosWords(program->arguments) : std::vector<std::string>{};
}

bool isSwitch(std::string_view argument, std::string_view name) {
  return argument.size() == name.size() + 1 && (argument[0] == '/' || argument[0] == '-') &&
         ansiEqualNoCase(argument.substr(1), name);
}

bool switchValue(std::string_view argument, std::string_view name, std::string& value) {
  if (argument.size() < name.size() + 2 || (argument[0] != '/' && argument[0] != '-') ||
      !ansiEqualNoCase(argument.substr(1, name.size()), name) || argument[name.size() + 1] != ':')
    return false;
  value = std::string(argument.substr(name.size() + 2));
  return true;
}

std::string toolPath(const Machine& machine, const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path;
  const std::string& current = machine.config().programDirectory;
  if (!path.empty() && path[0] == '\\') return current.substr(0, 2) + path;
  return current + "\\" + path;
}

const ToolFault* toolFault(const Machine& machine, const std::string& commandLine,
                           std::string_view name) {
  auto program = findProgram(machine, commandLine, machine.config().programDirectory);
  if (!program) return nullptr;
  const ProgramAction* action = actionFor(machine.config(), program->winPath);
  return action ? action->fault(name) : nullptr;
}

uint32_t runJournalled(Machine& machine, const char* tool, const std::string& commandLine,
                       const std::function<void()>& work) {
  try {
    work();
    return 0;
  } catch (const corvasta::Error& e) {
    appendJournal(machine, tool, commandLine + ": " + e.what());
    return 1;
  }
}

}  // namespace platform
