#pragma once
// A Windows ME sample made with corvasta-machine in a temporary folder, for
// tests that run `corvasta --console` on it as a process.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace tools_test {

class ConsoleMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::CommandResult created = testing_support::runProgram(
        CORVASTA_MACHINE_TOOL, {"create", "--windows", "me", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  std::string machine() const { return (temp_ / "me").string(); }
  // The host path of a Windows path on the machine.
  std::filesystem::path host(const std::string& winPath) {
    testing_support::CommandResult path =
        testing_support::runProgram(CORVASTA_MACHINE_TOOL, {"path", machine(), winPath});
    std::string text = path.output;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
  }
  testing_support::TempDir temp_;
};

}  // namespace tools_test
