#pragma once
// A generated machine in a temporary folder and the two executables run on
// it as processes: `corvasta --console --machine DIR ...` and
// `corvasta-machine SUBCOMMAND DIR ...`. For the tests of console options.
//
//   ConsoleMachine m(CORVASTA_PROGRAM, CORVASTA_MACHINE_TOOL, "me", 0);
//   CommandResult sets = m.corvasta({"--list-sets"});

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace testing_support {

class ConsoleMachine {
 public:
  // Creates a sample of `windows` ("95", "me", "xp" ...) with `users`
  // profiles (-1: the version's default); `created` tells how that went.
  ConsoleMachine(std::string program, std::string tool, const std::string& windows, int users);

  std::string machine() const { return (temp_.path() / "machine").string(); }
  // corvasta --console --machine DIR + `more`.
  CommandResult corvasta(const std::vector<std::string>& more) const;
  // corvasta-machine `more[0]` DIR `more[1..]`.
  CommandResult tool(const std::vector<std::string>& more) const;
  // The host path a Windows path of the machine maps to.
  std::filesystem::path host(const std::string& winPath) const;
  // An answers file with `text`; its path.
  std::string answers(const std::string& text) const;

  CommandResult created;

 private:
  std::string program_;
  std::string tool_;
  TempDir temp_;
};

}  // namespace testing_support
