#include "app/ProgramOptions.h"

#include <array>
#include <utility>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace corvasta {

std::optional<int> editionMode(const std::string& name) {
  static constexpr std::array<std::pair<const char*, int>, 6> kEditions{
      {{"95", 1}, {"98", 2}, {"ME", 3}, {"NT4", 4}, {"2000", 5}, {"XP", 6}}};
  const std::string upper = platform::ansiUpper(name);
  for (const auto& [edition, mode] : kEditions)
    if (upper == edition) return mode;
  return std::nullopt;
}

namespace {

// "--name VALUE" or "--name=VALUE" at `index`; advances past the value.
std::optional<std::string> optionValue(const std::vector<std::string>& arguments, size_t& index,
                                       const std::string& name) {
  const std::string& argument = arguments[index];
  if (argument.rfind(name + "=", 0) == 0) return argument.substr(name.size() + 1);
  if (argument != name) return std::nullopt;
  if (index + 1 >= arguments.size()) throw Error(name + " needs a value");
  return arguments[++index];
}

// The button an --open value names (without case).
ProgramOptions::Button openedButton(const std::string& name) {
  const std::string upper = platform::ansiUpper(name);
  if (upper == "REGPACK") return ProgramOptions::Button::RegPack;
  if (upper == "UNDO-REGPACK") return ProgramOptions::Button::UndoRegPack;
  if (upper == "EXTRACTOR") return ProgramOptions::Button::Extractor;
  throw Error("Unknown button " + name + " for --open (extractor, regpack or undo-regpack)");
}

// A console command at `index` with its values; advances past them.
ConsoleCommand commandAt(const ConsoleCommandSpec& spec, const std::vector<std::string>& arguments,
                         size_t& index) {
  ConsoleCommand command{spec.option, {}};
  for (size_t value = 0; value < spec.requiredValues; ++value) {
    if (index + 1 >= arguments.size())
      throw Error(std::string(spec.option) + " needs " + spec.usage);
    command.values.push_back(arguments[++index]);
  }
  for (size_t value = 0; value < spec.optionalValues; ++value) {
    if (index + 1 >= arguments.size() || arguments[index + 1].rfind('-', 0) == 0) break;
    command.values.push_back(arguments[++index]);
  }
  const auto isSubOption = [&](const std::string& argument) {
    for (const char* const* sub = spec.subOptions; sub && *sub; ++sub)
      if (argument == *sub) return true;
    return false;
  };
  while (index + 1 < arguments.size() && isSubOption(arguments[index + 1])) {
    const std::string& option = arguments[++index];
    if (index + 1 >= arguments.size()) throw Error(option + " needs a value");
    command.values.push_back(option);
    command.values.push_back(arguments[++index]);
  }
  return command;
}

}  // namespace

ProgramOptions parseProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions options;
  size_t index = 0;
  for (; index < arguments.size(); ++index) {
    if (arguments[index] == "--console") {
      options.console = true;
    } else if (arguments[index] == "--restore") {
      options.restore = true;
    } else if (auto edition = optionValue(arguments, index, "--edition")) {
      const std::optional<int> mode = editionMode(*edition);
      if (!mode) throw Error("Unknown edition " + *edition + " (95, 98, me, nt4, 2000 or xp)");
      options.windowsMode = *mode;
    } else if (auto button = optionValue(arguments, index, "--open")) {
      if (options.open != ProgramOptions::Button::None) throw Error("--open names one button");
      options.open = openedButton(*button);
    } else if (auto answers = optionValue(arguments, index, "--answers")) {
      options.answersFile = *answers;
    } else if (const ConsoleCommandSpec* spec = findConsoleCommand(arguments[index])) {
      if (options.command)
        throw Error("give one command: " + options.command->option + " or " + spec->option);
      options.command = commandAt(*spec, arguments, index);
    } else {
      break;
    }
  }
  const bool opens = options.open != ProgramOptions::Button::None;
  if (options.restore && opens) throw Error("--restore and --open press different buttons");
  if (options.command && (options.restore || opens))
    throw Error(options.command->option + " runs on its own: leave out --restore and --open");
  if (options.command && !options.console)
    throw Error(options.command->option + " runs without a window: give --console with it");
  if (options.restore && !options.console)
    throw Error("--restore runs without a window: give --console with it");
  if (opens && !options.console)
    throw Error("--open runs without a window: give --console with it");
  options.switches.assign(arguments.begin() + static_cast<std::ptrdiff_t>(index), arguments.end());
  return options;
}

}  // namespace corvasta
