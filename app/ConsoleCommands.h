#pragma once
// Console commands: options that press a window's controls without a
// display, for scripts and scheduled runs. Each is one option with its
// values after `--console` (and `--machine DIR`); it runs after the window
// start sequence and prints its result. A bad value throws corvasta::Error
// before anything is changed; the program then prints "corvasta: " and the
// message and exits with status 1.
//
// Adding a command is one row of the table in ConsoleCommands.cpp: its
// option, how many values it takes and the function that runs it.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace corvasta {

class TForm1;

// One line of a command's output, in the machine's ANSI code page.
using ConsoleLinePrinter = std::function<void(const std::string& line)>;

struct ConsoleCommand {
  std::string option;               // "--list-sets"
  std::vector<std::string> values;  // the values given after it
};

struct ConsoleCommandSpec {
  const char* option;
  size_t requiredValues;
  size_t optionalValues;  // taken while the next argument does not start with "-"
  const char* usage;      // the values, for messages ("N NAME")
  void (*run)(TForm1& form, const std::vector<std::string>& values,
              const ConsoleLinePrinter& print);
  // Options that may follow the values, each any number of times with one
  // value ("--include M"); they are passed on as option, value pairs after
  // the values. Ends with nullptr; nullptr: none.
  const char* const* subOptions = nullptr;
};

// The command `option` names; nullptr for any other argument.
const ConsoleCommandSpec* findConsoleCommand(const std::string& option);

// Every command, in the order the help lists them.
const std::vector<ConsoleCommandSpec>& consoleCommands();

// Runs `command` on the started program.
void runConsoleCommand(TForm1& form, const ConsoleCommand& command,
                       const ConsoleLinePrinter& print);

// The number a value gives, within first..last; throws corvasta::Error
// naming `what` and the value otherwise.
int consoleNumber(const std::string& value, int first, int last, const std::string& what);

}  // namespace corvasta
