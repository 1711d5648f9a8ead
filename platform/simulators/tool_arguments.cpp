#include "platform/simulators/tool_arguments.h"

#include "platform/core/codepage.h"
#include "platform/system/program_search.h"

namespace platform {

std::vector<std::string> toolArguments(const Machine& machine, const std::string& commandLine) {
  auto program = findProgram(machine, commandLine, machine.config().programDirectory);
  return program ? splitDosArguments(program->arguments) : std::vector<std::string>{};
}

std::vector<std::string> splitDosArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::string current;
  bool inWord = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) arguments.push_back(current);
      current.clear();
      inWord = false;
    } else {
      current += c;
      inWord = true;
    }
  }
  if (inWord) arguments.push_back(current);
  return arguments;
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

}  // namespace platform
