// corvasta --console with the Other Files commands, run as a process on a
// Windows ME sample: an entry made with --other-files-entry, listed with
// --other-files and sized with --other-files-size; bad values end with
// status 1 and write no entry.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/tools/console_machine.h"

using testing_support::CommandResult;
using testing_support::writeFile;

namespace {

class ConsoleOtherFiles : public tools_test::ConsoleMachine {
 protected:
  void put(const std::string& winPath, const std::string& bytes) {
    const std::filesystem::path file = host(winPath);
    std::filesystem::create_directories(file.parent_path());
    writeFile(file, bytes);
  }
  CommandResult corvasta(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--console", "--machine", machine()});
    return testing_support::runProgram(CORVASTA_PROGRAM, arguments);
  }
  // The machine's settings file, or empty when there is none yet.
  std::string settings() {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(machine()))
      if (entry.path().filename() == "vastel.ini") return testing_support::readFile(entry.path());
    return "";
  }
};

TEST_F(ConsoleOtherFiles, AnEntryIsMadeListedAndSized) {
  put("C:\\DATA\\a.txt", "alpha");
  put("C:\\DATA\\drop.txt", "unticked");
  put("C:\\DATA\\SUB\\b.txt", "bravo!");
  put("C:\\OTHER\\x.bin", "1234567");
  writeFile(temp_ / "notes.txt", "Letters\nand lists\n");
  CommandResult made =
      corvasta({"--other-files-entry", "Docs", "--include", ">C:\\DATA\\*.txt", "--exclude",
                "|C:\\DATA\\SUB\\*.tmp", "--untick", "C:\\DATA\\drop.txt", "--tick",
                "C:\\OTHER\\x.bin", "--notes", (temp_ / "notes.txt").string(), "--config", "2"});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  EXPECT_NE(made.output.find("MultiFiles0 Docs"), std::string::npos) << made.output;
  const std::string text = settings();
  EXPECT_NE(text.find("Check2=1"), std::string::npos) << text;
  EXPECT_NE(text.find("[MultiFiles0Notes]"), std::string::npos) << text;
  EXPECT_NE(text.find("1=and lists"), std::string::npos) << text;

  CommandResult listed = corvasta({"--other-files"});
  ASSERT_EQ(listed.exitCode, 0) << listed.output;
  for (const char* line :
       {"     - Docs\n", "          include C:\\DATA\\*.txt (include subdirectories)\n",
        "          exclude C:\\DATA\\SUB\\*.tmp\n",
        "          exclude C:\\DATA\\drop.txt (include subdirectories)\n",
        "          include C:\\OTHER\\x.bin (include subdirectories)\n"})
    EXPECT_NE(listed.output.find(line), std::string::npos) << line << "\n" << listed.output;

  CommandResult sized = corvasta({"--other-files-size", "docs"});
  ASSERT_EQ(sized.exitCode, 0) << sized.output;
  EXPECT_NE(sized.output.find("Number of Files: 3"), std::string::npos) << sized.output;
  EXPECT_NE(sized.output.find("Uncompressed Size: 18 bytes"), std::string::npos) << sized.output;
}

TEST_F(ConsoleOtherFiles, BadValuesAreNamedAndNothingIsWritten) {
  put("C:\\DATA\\a.txt", "alpha");
  const std::vector<std::vector<std::string>> bad{
      {"--other-files-entry", "Docs", "--include", "*.txt"},
      {"--other-files-entry", "Docs", "--include", ">C:\\DATA\\*.txt", "--config", "7"},
      {"--other-files-entry", "Docs", "--tick", "C:\\DATA\\missing.txt"},
      {"--other-files-entry", "Docs", "--notes", (temp_ / "none.txt").string()},
      {"--other-files-entry", "desktop", "--include", ">C:\\DATA\\*.txt"},
      {"--other-files-entry", "Docs", "--include"},
      {"--other-files-size", "Nothing"},
  };
  for (const std::vector<std::string>& arguments : bad) {
    CommandResult result = corvasta(arguments);
    EXPECT_EQ(result.exitCode, 1) << arguments.back() << "\n" << result.output;
    EXPECT_NE(result.output.find("corvasta: "), std::string::npos) << result.output;
    // The window start rewrites its own keys; no entry and no notes appear.
    EXPECT_EQ(settings().find("[MultiFiles"), std::string::npos) << arguments.back();
  }
}

}  // namespace
