// corvasta --console --open extractor run as a process on a Windows ME
// sample: an archive made by Info-ZIP chosen from the answers file, the
// listing printed, one file picked by a mask and extracted.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/tools/console_machine.h"

using testing_support::CommandResult;
using testing_support::writeFile;

namespace {

class ConsoleExtractor : public tools_test::ConsoleMachine {
 protected:
  CommandResult corvasta(const std::string& answers) {
    writeFile(temp_ / "answers.txt", answers);
    return testing_support::runProgram(CORVASTA_PROGRAM,
                                       {"--console", "--machine", machine(), "--answers",
                                        (temp_ / "answers.txt").string(), "--open", "extractor"});
  }
  static std::string read(const std::filesystem::path& file) {
    return std::filesystem::exists(file) ? testing_support::readFile(file) : std::string();
  }
};

TEST_F(ConsoleExtractor, ListsAnotherToolsArchiveAndExtractsTheFilesAMaskPicks) {
  if (!testing_support::haveProgram("zip")) GTEST_SKIP() << "Info-ZIP zip is not installed";
  const std::filesystem::path work = temp_ / "work";
  std::filesystem::create_directories(work / "Docs" / "Sub");
  writeFile(work / "Docs" / "letter.txt", "Dear reader");
  writeFile(work / "Docs" / "Sub" / "list.txt", "eggs, milk");
  const std::filesystem::path archive = host("C:\\Docs.zip");
  CommandResult zipped = testing_support::runProgram(
      "/bin/sh", {"-c", "cd " + testing_support::shellQuoted(work.string()) + " && zip -qr " +
                            testing_support::shellQuoted(archive.string()) + " Docs"});
  ASSERT_EQ(zipped.exitCode, 0) << zipped.output;

  CommandResult result = corvasta(
      "Select a Corvasta Backup File => C:\\Docs.zip\n"
      "Files to extract => Docs\\Sub\\*.txt\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("4 of 4 Files in Backup File"), std::string::npos) << result.output;
  // Tree order: the folder Sub before the files beside it.
  EXPECT_NE(result.output.find("No Drive Given (extracted to current drive)\n"
                               "  Docs\\Sub\\list.txt\n  Docs\\letter.txt\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("1 Files Extracted."), std::string::npos) << result.output;
  EXPECT_EQ(read(host("C:\\Docs\\Sub\\list.txt")), "eggs, milk");
  EXPECT_FALSE(std::filesystem::exists(host("C:\\Docs\\letter.txt")));
  const std::string settings = read(host("C:\\Program Files\\Corvasta\\vastel.ini"));
  EXPECT_NE(settings.find("[Extract Files]"), std::string::npos) << "Exit saves the settings";
}

TEST_F(ConsoleExtractor, ACancelledChooserExtractsNothing) {
  CommandResult result = corvasta("Select a Corvasta Backup File => Cancel\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Files Extracted"), std::string::npos) << result.output;
}

}  // namespace
