#include <gtest/gtest.h>

#include "app/core/ShellLnk.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using corvasta::ShellLinkError;
using corvasta::TShellLink;
using corvasta::TWindowState;
using testing_support::driveFolder;
using testing_support::writeFile;

class ShellLnkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = testing_support::MachineBuilder(platform::WindowsVersion::Win98)
                   .file("C:\\Program Files\\Corvasta\\crvast98.exe", "MZ")
                   .build(dir_.path());
    files_ = std::make_unique<platform::FileSystem>(*machine_);
  }

  std::string readError(TShellLink& link) {
    try {
      link.Read();
    } catch (const ShellLinkError& e) {
      return e.what();
    }
    return "";
  }

  testing_support::TempDir dir_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::FileSystem> files_;
};

TEST_F(ShellLnkTest, WrittenPropertiesReadBack) {
  TShellLink link(*files_);
  link.FileName = "C:\\cleanup.lnk";
  link.Target = "\"C:\\Program Files\\Corvasta\\crvast98.exe\"";
  link.Arguments = "clean \"C:\\startwin.bat\" C:\\autoexec.bat";
  link.Description = "Finish copying Corvasta open files";
  link.WorkingDir = "C:\\Program Files\\Corvasta";
  link.WindowState = TWindowState::wsMinimized;
  link.HotKey = {0x43, 0x06};
  link.Write();

  TShellLink read(*files_);
  read.FileName = "C:\\CLEANUP.LNK";
  read.Read();
  EXPECT_EQ(read.Target, "C:\\Program Files\\Corvasta\\crvast98.exe");
  EXPECT_EQ(read.Arguments, link.Arguments);
  EXPECT_EQ(read.Description, link.Description);
  EXPECT_EQ(read.WorkingDir, link.WorkingDir);
  EXPECT_EQ(read.WindowState, TWindowState::wsMinimized);
  EXPECT_EQ(read.HotKey.KeyCode, 0x43);
  EXPECT_EQ(read.HotKey.Modifiers, 0x06);
}

TEST_F(ShellLnkTest, MissingAndBrokenFilesGiveTheirErrors) {
  TShellLink link(*files_);
  link.FileName = "C:\\none.lnk";
  EXPECT_EQ(readError(link), "Link not found.");
  writeFile(driveFolder(*machine_, 'C') / "bad.lnk", std::string(80, 'x'));
  link.FileName = "C:\\bad.lnk";
  EXPECT_EQ(readError(link), "Read error.");
}

TEST_F(ShellLnkTest, WriteFailureKeepsTheOldShortcut) {
  TShellLink link(*files_);
  link.FileName = "C:\\keep.lnk";
  link.Target = "C:\\Program Files\\Corvasta\\crvast98.exe";
  link.Arguments = "bootup";
  link.Write();
  TShellLink broken(*files_);
  broken.FileName = "C:\\keep.lnk";
  broken.Target = "relative\\path.exe";  // not a full path: cannot be written
  EXPECT_THROW(broken.Write(), ShellLinkError);
  TShellLink read(*files_);
  read.FileName = "C:\\keep.lnk";
  read.Read();
  EXPECT_EQ(read.Arguments, "bootup");
}

}  // namespace
