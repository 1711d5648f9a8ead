#include <gtest/gtest.h>

#include "app/core/ShellLnk.h"
#include "platform/files/file_system.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_machine.h"

namespace {

using testing_support::driveFolder;

TEST(ShellLnkPeer, LnkinfoReadsWhatWeWrite) {
  if (!testing_support::haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo is not installed";
  testing_support::TempDir dir;
  auto machine = testing_support::makeTestMachine(dir.path(), platform::WindowsVersion::WinMe);
  platform::FileSystem files(*machine);
  std::filesystem::create_directories(driveFolder(*machine, 'C') / "Program Files" / "Corvasta");
  testing_support::writeFile(
      driveFolder(*machine, 'C') / "Program Files" / "Corvasta" / "crvastme.exe", "MZ");
  corvasta::TShellLink link(files);
  link.FileName = "C:\\CVOpen.lnk";
  link.Target = "C:\\Program Files\\Corvasta\\crvastme.exe";
  link.Arguments = "openfile";
  link.Description = "Finish copying Corvasta open files";
  link.WorkingDir = "C:\\Program Files\\Corvasta";
  link.Write();
  auto result = testing_support::runCommand("lnkinfo '" +
                                            machine->resolve("C:\\CVOpen.lnk").host.string() + "'");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("C:\\Program Files\\Corvasta\\crvastme.exe"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("openfile"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Finish copying Corvasta open files"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("C:\\Program Files\\Corvasta"), std::string::npos) << result.output;
}

}  // namespace
