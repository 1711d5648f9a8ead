#include <gtest/gtest.h>

#include "app/core/ShellLnk.h"
#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ShellLnkPeer, LnkinfoReadsWhatWeWrite) {
  if (!testing_support::haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo is not installed";
  testing_support::TempDir dir;
  auto machine = testing_support::MachineBuilder(platform::WindowsVersion::WinMe)
                     .file("C:\\Program Files\\Corvasta\\crvastme.exe", "MZ")
                     .build(dir.path());
  platform::FileSystem files(*machine);
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
