// corvasta --console --config-report [N] run as a process on a Windows ME
// sample: the report of the current or a named config printed, a bad number
// refused by name with nothing written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::TempDir;

namespace {

class ConsoleConfigReport : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandResult created = testing_support::runProgram(CORVASTA_MACHINE_TOOL,
                                                        {"create", "--windows", "me", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  std::string machine() const { return (temp_ / "me").string(); }
  CommandResult corvasta(const std::vector<std::string>& more) {
    std::vector<std::string> args{"--console", "--machine", machine()};
    args.insert(args.end(), more.begin(), more.end());
    return testing_support::runProgram(CORVASTA_PROGRAM, args);
  }
  TempDir temp_;
};

TEST_F(ConsoleConfigReport, PrintsTheCurrentConfigOrTheOneNamed) {
  CommandResult current = corvasta({"--config-report"});
  ASSERT_EQ(current.exitCode, 0) << current.output;
  EXPECT_NE(current.output.find("                      Corvasta\n"), std::string::npos)
      << current.output;
  EXPECT_NE(current.output.find("Information for Config 1 - Config 1"), std::string::npos);
  EXPECT_NE(current.output.find("   Backup Type - Full"), std::string::npos);
  EXPECT_NE(current.output.find("   X - Registry"), std::string::npos) << current.output;
  EXPECT_NE(current.output.find("Miscellaneous Settings"), std::string::npos);

  CommandResult second = corvasta({"--config-report", "2"});
  ASSERT_EQ(second.exitCode, 0) << second.output;
  EXPECT_NE(second.output.find("Information for Config 2 - Config 2"), std::string::npos)
      << second.output;
}

TEST_F(ConsoleConfigReport, ABadConfigNumberIsNamed) {
  for (const char* bad : {"7", "x", "0"}) {
    CommandResult result = corvasta({"--config-report", bad});
    EXPECT_EQ(result.exitCode, 1) << bad;
    EXPECT_NE(result.output.find("corvasta: "), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(std::string("\"") + bad + "\""), std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("Information for Config"), std::string::npos) << result.output;
  }
}

}  // namespace
