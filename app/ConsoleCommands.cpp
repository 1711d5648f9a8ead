#include "app/ConsoleCommands.h"

#include <charconv>

#include "app/ConsoleAutomation.h"
#include "app/ConsoleReport.h"
#include "app/ConsoleSets.h"
#include "app/Unit1.h"
#include "platform/core/errors.h"

namespace corvasta {

const std::vector<ConsoleCommandSpec>& consoleCommands() {
  static const std::vector<ConsoleCommandSpec> kCommands{
      {"--list-sets", 0, 0, "", listSets},
      {"--config-report", 0, 1, "[N]", configReport},
      {"--add-set", 1, 0, "DIR", addSet},
      {"--rename-set", 2, 0, "N NAME", renameSet},
      {"--delete-set", 1, 0, "N", deleteSet},
      {"--system-backups", 0, 0, "", listSystemBackups},
      {"--delete-system-backup", 1, 0, "NAME", deleteSystemBackup},
      {"--automation", 0, 0, "", showAutomation},
      {"--set-frequency", 2, 0, "TASK FREQ", setFrequency},
      {"--desktop-icon", 2, 0, "TITLE LETTERS", makeDesktopIcon},
  };
  return kCommands;
}

const ConsoleCommandSpec* findConsoleCommand(const std::string& option) {
  for (const ConsoleCommandSpec& spec : consoleCommands())
    if (option == spec.option) return &spec;
  return nullptr;
}

void runConsoleCommand(TForm1& form, const ConsoleCommand& command,
                       const ConsoleLinePrinter& print) {
  const ConsoleCommandSpec* spec = findConsoleCommand(command.option);
  if (!spec) throw Error("Unknown command " + command.option);
  spec->run(form, command.values, print);
}

int consoleNumber(const std::string& value, int first, int last, const std::string& what) {
  int number = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, number);
  if (value.empty() || error != std::errc() || stop != end || number < first || number > last)
    throw Error(what + " must be a number from " + std::to_string(first) + " to " +
                std::to_string(last) + ", not \"" + value + "\"");
  return number;
}

}  // namespace corvasta
