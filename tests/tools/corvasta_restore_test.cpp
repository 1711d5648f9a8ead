// corvasta --console --restore run as a process on a sample machine: the
// stored source selected as a click selects it, its menu answered, the
// Restore pressed, and the exit status.

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

class ConsoleRestore : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandResult created = run(CORVASTA_MACHINE_TOOL, {"create", "--windows", "me", machine()});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  std::string machine() const { return (temp_ / "me").string(); }
  // The host path of a Windows path on the machine.
  std::string host(const std::string& winPath) const {
    CommandResult path = run(CORVASTA_MACHINE_TOOL, {"path", machine(), winPath});
    std::string out = path.output;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
  }
  void settings(const std::string& text) {
    writeFile(host("C:\\Program Files\\Corvasta\\vastel.ini"), text);
  }
  CommandResult restore(const std::vector<std::string>& more = {}) {
    std::vector<std::string> args{"--console", "--machine", machine()};
    args.insert(args.end(), more.begin(), more.end());
    args.push_back("--restore");
    return run(CORVASTA_PROGRAM, args);
  }
  TempDir temp_;
};

TEST_F(ConsoleRestore, TheStoredSourceIsChosenFromItsMenuAndRestored) {
  std::filesystem::create_directories(host("C:\\B\\Mon"));
  std::filesystem::create_directories(host("C:\\B\\Tue"));
  writeFile(host("C:\\B\\Mon\\user0.daz"), "x");
  writeFile(host("C:\\B\\Tue\\user0.daz"), "x");
  settings(
      "[RestorePreferences]\r\nRestoreType=2\r\n"
      "[Backup Directories]\r\n1=C:\\B\\Mon\\\r\n2=C:\\B\\Tue\\\r\n");
  writeFile(temp_ / "answers.txt", "Corvasta Backups => Tue\n");
  CommandResult result = restore({"--answers", (temp_ / "answers.txt").string()});
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("[Corvasta Backups] menu:\n  Most Recent Backup\n  Mon\n  Tue\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("  -> Tue\n"), std::string::npos) << result.output;
  const std::string ini =
      testing_support::readFile(host("C:\\Program Files\\Corvasta\\vastel.ini"));
  EXPECT_NE(ini.find("Backup to Restore=2"), std::string::npos) << ini;
}

TEST_F(ConsoleRestore, AnUnavailableSourceIsRefusedAndTheRunEndsWell) {
  settings("[RestorePreferences]\r\nRestoreType=2\r\n");
  CommandResult result = restore();
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Corvasta Backups Not Available"), std::string::npos)
      << result.output;
  // The selection moved on to the disks: the folder choice is cancelled.
  EXPECT_NE(result.output.find("[Specify the Disk] -> Cancel"), std::string::npos) << result.output;
}

TEST_F(ConsoleRestore, RestoreNeedsTheConsole) {
  CommandResult result = run(CORVASTA_PROGRAM, {"--machine", machine(), "--restore"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.output.find("--restore"), std::string::npos) << result.output;
}

}  // namespace
