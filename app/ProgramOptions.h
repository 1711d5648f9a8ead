#pragma once
// The options `corvasta` takes before the program's own switches:
//   corvasta [--console] [--machine DIR] [--edition {95,98,me,nt4,2000,xp}]
//            [--answers FILE] [--restore | --open {regpack,undo-regpack,extractor} |
//             COMMAND [VALUES]] [switches]
// COMMAND is one of the console commands (app/ConsoleCommands.h).
// --machine is taken off by the sample machine selection; this reads the rest.

#include <optional>
#include <string>
#include <vector>

#include "app/ConsoleCommands.h"

namespace corvasta {

struct ProgramOptions {
  bool console = false;
  int windowsMode = 3;  // the edition: Windows ME unless --edition says otherwise
  std::optional<std::string> answersFile;
  // After the window start: select the stored restore source as a click
  // does, press "&3. Restore" with the stored extent, close as Exit. Only
  // with --console.
  bool restore = false;
  // After the window start: press a button of the RegPack tab, "&RegPack"
  // or "&Undo RegPack", or the Extractor tab's "&Extractor", and close as
  // Exit. Only with --console.
  enum class Button { None, RegPack, UndoRegPack, Extractor };
  Button open = Button::None;
  // After the window start: one console command with its values. Only with
  // --console.
  std::optional<ConsoleCommand> command;
  std::vector<std::string> switches;  // the parameters the program sees
};

// The Windows mode of an edition name ("95", "98", "me", "nt4", "2000", "xp",
// without case); nullopt for any other name.
std::optional<int> editionMode(const std::string& name);

// Reads the options up to the first parameter that is not one of them; the
// rest are the program's parameters as given. Throws corvasta::Error for an
// option without its value, an unknown edition, an --open of another button,
// a command without its values, more than one of --restore, --open and a
// command, or any of them without --console.
ProgramOptions parseProgramOptions(const std::vector<std::string>& arguments);

}  // namespace corvasta
