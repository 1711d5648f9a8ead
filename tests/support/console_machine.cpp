#include "tests/support/console_machine.h"

namespace testing_support {

ConsoleMachine::ConsoleMachine(std::string program, std::string tool, const std::string& windows,
                               int users)
    : program_(std::move(program)), tool_(std::move(tool)) {
  std::vector<std::string> args{"create", "--windows", windows};
  if (users >= 0) {
    args.push_back("--users");
    args.push_back(std::to_string(users));
  }
  args.push_back(machine());
  created = runProgram(tool_, args);
}

CommandResult ConsoleMachine::corvasta(const std::vector<std::string>& more) const {
  std::vector<std::string> args{"--console", "--machine", machine()};
  args.insert(args.end(), more.begin(), more.end());
  return runProgram(program_, args);
}

CommandResult ConsoleMachine::tool(const std::vector<std::string>& more) const {
  std::vector<std::string> args = more;
  args.insert(args.begin() + (args.empty() ? 0 : 1), machine());
  return runProgram(tool_, args);
}

std::filesystem::path ConsoleMachine::host(const std::string& winPath) const {
  std::string text = tool({"path", winPath}).output;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string ConsoleMachine::answers(const std::string& text) const {
  const std::filesystem::path file = temp_.path() / "answers.txt";
  writeFile(file, text);
  return file.string();
}

}  // namespace testing_support
