#include "app/ConsoleCommands.h"

#include <charconv>

#include "app/ConsoleReport.h"
#include "app/Unit1.h"
#include "platform/core/errors.h"

namespace corvasta {

namespace {

// --list-sets: the Backup Manager's rows as the page shows them after
// FillList: number, name, containing directory, date and time.
void listSets(TForm1& form, const std::vector<std::string>&, const ConsoleLinePrinter& print) {
  form.FillList();
  const BackupManagerLists& lists = form.backup.manager.lists;
  print(lists.column1Caption());
  for (size_t row = 0; row < lists.rows.size(); ++row) {
    const BackupSetRow& set = lists.rows[row];
    print(std::to_string(row + 1) + "\t" + set.name + "\t" + set.folder + "\t" + set.dateTime);
  }
}

}  // namespace

const std::vector<ConsoleCommandSpec>& consoleCommands() {
  static const std::vector<ConsoleCommandSpec> kCommands{
      {"--list-sets", 0, 0, "", listSets},
      {"--config-report", 0, 1, "[N]", configReport},
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
