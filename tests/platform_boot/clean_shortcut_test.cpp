// The Windows 98 next start after a RegPack with the autoexec method:
// autoexec.bat calls startwin.bat, which does its work and deletes itself;
// at logon the Startup shortcut cleanup.lnk starts the program with "clean",
// which takes the call out of autoexec.bat again and deletes the shortcut.
// Runs the real executables: corvasta-machine boot, which starts corvasta.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/boot/logon_startup.h"
#include "platform/boot/machine_links.h"
#include "platform/files/file_system.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;

std::filesystem::path builtProgram(const char* name) {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  return std::filesystem::path(build ? build : ".") / name;
}

class CleanShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* program : {"corvasta", "corvasta-machine"})
      if (!std::filesystem::exists(builtProgram(program)))
        GTEST_SKIP() << program << " is not built";
    sample::createSampleMachine(dir / "machine", WindowsVersion::Win98);
    machine = Machine::open(dir / "machine");
    files = std::make_unique<FileSystem>(*machine);
    startup = boot::startupFolders(*files).front();
  }

  // The shortcut the program leaves: its executable with "clean", the marker
  // in double quotes and the autoexec.bat to edit.
  void makeCleanupShortcut(const std::string& marker) {
    shell::ShellLink link;
    link.target = machine->config().programDirectory + "\\crvast.exe";
    link.arguments = "clean \"" + marker + "\" C:\\autoexec.bat";
    link.workingDir = machine->config().programDirectory;
    boot::writeLinkFile(*files, startup + "\\cleanup.lnk", link);
  }

  testing_support::CommandResult boot() {
    return testing_support::runCommand(builtProgram("corvasta-machine").string() + " boot '" +
                                       (dir / "machine").string() + "' </dev/null 2>&1");
  }

  std::string content(const std::string& path) {
    return testing_support::readFile(machine->resolve(path).host);
  }

  testing_support::TempDir dir;
  std::unique_ptr<Machine> machine;
  std::unique_ptr<FileSystem> files;
  std::string startup;
};

TEST_F(CleanShortcut, CallOfStartwinIsTakenOutOfAutoexecAfterTheRestart) {
  testing_support::writeFile(machine->resolve("C:\\AUTOEXEC.BAT").host,
                             "SET PATH=C:\\WINDOWS;C:\\WINDOWS\\COMMAND\r\n"
                             "C:\\startwin.bat\r\ndel C:\\startwin.bat\r\nwin\r\n");
  testing_support::writeFile(machine->resolve("C:\\STARTWIN.BAT").host,
                             "@md C:\\PACKED\r\n@del startwin.bat\r\n");
  makeCleanupShortcut("C:\\startwin.bat");

  const testing_support::CommandResult result = boot();
  ASSERT_EQ(result.exitCode, 0) << result.output;
  // The batch file ran in the MS-DOS phase and is gone.
  EXPECT_TRUE(files->directoryExists("C:\\PACKED")) << result.output;
  EXPECT_FALSE(files->fileExists("C:\\STARTWIN.BAT"));
  // The "clean" start removed both lines of the call and the shortcut.
  EXPECT_EQ(content("C:\\AUTOEXEC.BAT"), "SET PATH=C:\\WINDOWS;C:\\WINDOWS\\COMMAND\r\nwin\r\n")
      << result.output;
  EXPECT_FALSE(files->fileExists(startup + "\\cleanup.lnk"));
}

TEST_F(CleanShortcut, AutoexecMadeForTheHandOffIsDeletedAgain) {
  files->setFileAttributes("C:\\AUTOEXEC.BAT", kAttributeNormal);
  files->deleteFile("C:\\AUTOEXEC.BAT");
  testing_support::writeFile(machine->resolve("C:\\AUTOEXEC.BAT").host,
                             "C:\\startwin.bat\r\ndel C:\\startwin.bat\r\n");
  testing_support::writeFile(machine->resolve("C:\\STARTWIN.BAT").host, "@del startwin.bat\r\n");
  makeCleanupShortcut("delete");

  const testing_support::CommandResult result = boot();
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_FALSE(files->fileExists("C:\\AUTOEXEC.BAT")) << result.output;
  EXPECT_FALSE(files->fileExists(startup + "\\cleanup.lnk"));
}

}  // namespace
