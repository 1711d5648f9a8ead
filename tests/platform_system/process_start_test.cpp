// Starting programs: finding the program file, the program table, the journal.
#include "platform/system/process_start.h"

#include <gtest/gtest.h>

#include "platform/system/command_line.h"
#include "platform/system/journal.h"
#include "platform/system/program_simulators.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

TEST(CommandLine, CandidatesForQuotedAndUnquotedPrograms) {
  auto candidates = programCandidates("C:\\Program Files\\A B\\x.exe /s  y");
  ASSERT_EQ(candidates.size(), 5u);
  EXPECT_EQ(candidates[0].program, "C:\\Program");
  EXPECT_EQ(candidates[0].arguments, "Files\\A B\\x.exe /s  y");
  EXPECT_EQ(candidates[2].program, "C:\\Program Files\\A B\\x.exe");
  EXPECT_EQ(candidates[2].arguments, "/s  y");
  EXPECT_EQ(candidates[4].program, "C:\\Program Files\\A B\\x.exe /s  y");

  auto quoted = programCandidates("  \"C:\\My Tools\\t.exe\"-a \"b c\"");
  ASSERT_EQ(quoted.size(), 1u);
  EXPECT_EQ(quoted[0].program, "C:\\My Tools\\t.exe");
  EXPECT_EQ(quoted[0].arguments, "-a \"b c\"");
  EXPECT_EQ(programCandidates("\"unterminated path")[0].program, "unterminated path");
  EXPECT_TRUE(programCandidates("   ").empty());
  EXPECT_TRUE(programCandidates("\"\" x").empty());
}

TEST(CommandLine, ArgumentsSplitByTheRuntimeRules) {
  EXPECT_EQ(splitArguments(" /e  \"C:\\a b\\all.reg\" HKEY_USERS "),
            (std::vector<std::string>{"/e", "C:\\a b\\all.reg", "HKEY_USERS"}));
  EXPECT_EQ(splitArguments("a\\\\\"b c\" d\\\"e f\\g"),
            (std::vector<std::string>{"a\\b c", "d\"e", "f\\g"}));
  EXPECT_EQ(splitArguments("\"\" x"), (std::vector<std::string>{"", "x"}));
  EXPECT_TRUE(splitArguments("").empty());
}

class ProcessStart : public ::testing::Test {
 protected:
  void SetUp() override {
    using Kind = ProgramAction::Kind;
    machine =
        testing_support::MachineBuilder(WindowsVersion::WinMe)
            .configure([](MachineConfig& config) {
              config.programs["regedit.exe"] = {Kind::Simulator, "test-regedit", 0, {}};
              config.programs["scanregw.exe"] = {Kind::Exit, "", 3, {}};
              config.programs["C:\\TOOLS\\HOST.EXE"] = {
                  Kind::HostCommand, "sh -c 'printf \"%s|\" \"$@\" >args.txt; exit 7' sh", 0, {}};
              config.programs["ghost.exe"] = {Kind::Simulator, "no-such-simulator", 0, {}};
            })
            .build(dir.path());
    std::filesystem::path c = testing_support::driveFolder(*machine, 'C');
    for (const char* file :
         {"WINDOWS/REGEDIT.EXE", "WINDOWS/SCANREGW.EXE", "WINDOWS/GHOST.EXE",
          "WINDOWS/COMMAND/SCANREG.EXE", "WINDOWS/COMMAND.COM", "TOOLS/HOST.EXE",
          "Program Files/Corvasta/startwin.bat", "Program Files/Corvasta/plain.exe"})
      writeFile(c / file, "MZ");
  }
  void TearDown() override { ProgramSimulators::remove("test-regedit"); }
  TempDir dir;
  std::unique_ptr<Machine> machine;
};

TEST_F(ProcessStart, MissingProgramFileFailsWithFileNotFound) {
  for (const char* line : {"nothere.exe /x", "C:\\WINDOWS\\NOTHERE.EXE", "C:\\nofolder\\x.exe",
                           "Q:\\x.exe", "", "\"C:\\WINDOWS\\REGEDIT.EXE /s\""}) {
    ProcessResult result = createProcess(*machine, line);
    EXPECT_FALSE(result.started()) << line;
    EXPECT_EQ(result.error, WinError::FileNotFound) << line;
  }
  EXPECT_EQ(winExec(*machine, "nothere"), 2u);
  EXPECT_TRUE(readJournal(*machine).empty());
}

TEST_F(ProcessStart, SimulatorGetsTheMachineAndTheWholeCommandLine) {
  std::string seen;
  ProgramSimulators::add("TEST-REGEDIT", [&](Machine& m, const std::string& commandLine) {
    EXPECT_EQ(&m, machine.get());
    seen = commandLine;
    return 5u;
  });
  ProcessResult result = createProcess(*machine, "regedit /e C:\\all.reg");
  EXPECT_TRUE(result.started());
  EXPECT_EQ(result.program, "C:\\WINDOWS\\REGEDIT.EXE");
  EXPECT_EQ(result.exitCode, 5u);
  EXPECT_EQ(seen, "regedit /e C:\\all.reg");
  auto journal = readJournal(*machine);
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].kind, "start");
  EXPECT_EQ(journal[0].details, "regedit /e C:\\all.reg");
}

TEST_F(ProcessStart, UnknownSimulatorIsAnErrorNamingIt) {
  try {
    createProcess(*machine, "C:\\WINDOWS\\ghost.exe");
    FAIL() << "started";
  } catch (const corvasta::Error& error) {
    EXPECT_NE(std::string(error.what()).find("'no-such-simulator'"), std::string::npos);
  }
  EXPECT_TRUE(readJournal(*machine).empty());
}

TEST_F(ProcessStart, ExitCodesOfListedAndUnlistedPrograms) {
  EXPECT_EQ(createProcess(*machine, "scanregw.exe /autoscan").exitCode, 3u);
  ProcessResult plain = createProcess(*machine, "plain");
  EXPECT_TRUE(plain.started());
  EXPECT_EQ(plain.program, "C:\\Program Files\\Corvasta\\plain.exe");
  EXPECT_EQ(plain.exitCode, 0u);
  // No extension: .exe, then .com.
  EXPECT_EQ(createProcess(*machine, "command /c dir").program, "C:\\WINDOWS\\COMMAND.COM");
  EXPECT_EQ(createProcess(*machine, "C:\\WINDOWS\\command\\scanreg /fix").program,
            "C:\\WINDOWS\\COMMAND\\SCANREG.EXE");
  EXPECT_EQ(readJournal(*machine).size(), 4u);
}

TEST_F(ProcessStart, UnquotedPathWithBlanksAsWinExecGivesIt) {
  EXPECT_EQ(winExec(*machine, "C:\\Program Files\\Corvasta\\startwin.bat "), kWinExecStarted);
  auto journal = readJournal(*machine);
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].details, "C:\\Program Files\\Corvasta\\startwin.bat ");
}

TEST_F(ProcessStart, RelativeProgramPathsStartFromTheCurrentDirectory) {
  EXPECT_EQ(createProcess(*machine, "command\\scanreg", "C:\\WINDOWS").program,
            "C:\\WINDOWS\\COMMAND\\SCANREG.EXE");
  EXPECT_EQ(createProcess(*machine, "\\TOOLS\\other", "C:\\WINDOWS").error, WinError::FileNotFound);
}

TEST_F(ProcessStart, HostCommandGetsTheArgumentsAndGivesItsExitCode) {
  ProcessResult result = createProcess(*machine, "c:\\tools\\host.exe /a \"b c\" $HOME;x");
  EXPECT_TRUE(result.started());
  EXPECT_EQ(result.exitCode, 7u);
  // The arguments reach the command as words, never read by the shell.
  EXPECT_EQ(readFile(dir / "args.txt"), "/a|b c|$HOME;x|");
}

}  // namespace
