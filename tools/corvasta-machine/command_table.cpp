#include <cctype>

#include "tools/corvasta-machine/tool_command.h"

namespace tool {

const std::vector<ToolCommand>& toolCommands() {
  static const std::vector<ToolCommand> commands = {
      createCommand(), infoCommand(), pathCommand(),     insertCommand(),
      ejectCommand(),  regCommand(),  shortcutCommand(), openCommand(),
      bootCommand(),   isoCommand(),  discCommand(),
  };
  return commands;
}

void requireArgumentCount(const std::vector<std::string>& args, size_t count) {
  if (args.size() < count) throw UsageError("missing arguments");
  if (args.size() > count) throw UsageError("unexpected argument '" + args[count] + "'");
}

char parseDriveArgument(const std::string& text) {
  bool letter = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0]));
  if (!letter || text.size() > 2 || (text.size() == 2 && text[1] != ':'))
    throw UsageError("'" + text + "' is not a drive (expected a letter and a colon, e.g. A:)");
  return static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
}

}  // namespace tool
