// corvasta --console --open regpack run as a process on a Windows 98 sample:
// the question answered from the answers file, the restart, and the status
// line of the next start announcing the RegPack once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

CommandResult run(const std::string& program, const std::vector<std::string>& args) {
  return testing_support::runProgram(program, args);
}

class ConsoleRegPack : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandResult created =
        run(CORVASTA_MACHINE_TOOL, {"create", "--windows", "98", "--users", "3", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  std::string machine() const { return (temp_ / "98").string(); }
  CommandResult corvasta(const std::vector<std::string>& more) {
    std::vector<std::string> args{"--console", "--machine", machine(), "--edition", "98"};
    args.insert(args.end(), more.begin(), more.end());
    return run(CORVASTA_PROGRAM, args);
  }
  std::string answers(const std::string& text) {
    writeFile(temp_ / "answers.txt", text);
    return (temp_ / "answers.txt").string();
  }
  static size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  TempDir temp_;
};

TEST_F(ConsoleRegPack, NoAtTheQuestionLeavesWindowsRunning) {
  CommandResult result = corvasta({"--answers", answers("Continue => No\n"), "--open", "regpack"});
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("RegPack must restart Windows"), std::string::npos);
  EXPECT_NE(result.output.find("-> No"), std::string::npos) << result.output;
  CommandResult info = run(CORVASTA_MACHINE_TOOL, {"info", machine()});
  EXPECT_NE(info.output.find("Restart: not requested"), std::string::npos) << info.output;
}

TEST_F(ConsoleRegPack, TheNextStartAnnouncesTheRegPackOnce) {
  CommandResult first = corvasta({"--answers", answers("Continue => Yes\n"), "--open", "regpack"});
  ASSERT_EQ(first.exitCode, 0) << first.output;
  EXPECT_NE(first.output.find("Status: "), std::string::npos) << first.output;
  CommandResult boot = run(CORVASTA_MACHINE_TOOL, {"boot", machine()});
  ASSERT_EQ(boot.exitCode, 0) << boot.output;
  EXPECT_NE(boot.output.find("scanreg"), std::string::npos) << boot.output;

  CommandResult next = corvasta({});
  EXPECT_EQ(count(next.output, "RegPack was just completed"), 1u) << next.output;
  CommandResult later = corvasta({});
  EXPECT_EQ(count(later.output, "RegPack was just completed"), 0u) << later.output;
  EXPECT_NE(later.output.find("RegPack was done on"), std::string::npos) << later.output;
}

TEST_F(ConsoleRegPack, OpenNeedsTheConsoleAndAKnownButton) {
  CommandResult windowed = run(CORVASTA_PROGRAM, {"--machine", machine(), "--open", "regpack"});
  EXPECT_NE(windowed.exitCode, 0);
  EXPECT_NE(windowed.output.find("--console"), std::string::npos) << windowed.output;
  CommandResult unknown = corvasta({"--open", "backup"});
  EXPECT_NE(unknown.exitCode, 0);
  EXPECT_NE(unknown.output.find("regpack or undo-regpack"), std::string::npos) << unknown.output;
  CommandResult both = corvasta({"--restore", "--open", "regpack"});
  EXPECT_NE(both.exitCode, 0);
}

}  // namespace
