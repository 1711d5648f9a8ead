// A set put together with 7-Zip (`7zz a -tzip`: entries without drive
// letters, "/" separators, also encrypted) on a CD or a diskette, restored
// through the page's "Diskette, CD, Removable Drive" source as a user does.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/system/restart.h"
#include "tests/support/machine_builder.h"
#include "tests/support/program_rig.h"
#include "tests/support/temp_dir.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::TestProgram;

struct SevenZipDisk {
  char drive;  // where the set lies: a CD drive or the diskette drive
  bool encrypted;
};

class SevenZipSet : public ::testing::TestWithParam<SevenZipDisk> {};

TEST_P(SevenZipSet, RestoredAsDisketteCdRemovableDrive) {
  if (!testing_support::haveProgram("7zz")) GTEST_SKIP() << "7zz is not installed";
  const SevenZipDisk disk = GetParam();
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe).cdromDrive('E', {"disc"})};
  m.start();
  m.write("C:\\Docs\\letter.txt", "Dear reader");
  m.write("C:\\Docs\\Sub\\list.txt", "eggs, milk");
  const std::string autoexec = m.read("C:\\AUTOEXEC.BAT");
  const std::string drive = m.host("C:\\").string();
  const std::string set =
      (testing_support::driveFolder(*m.machine, disk.drive) / "SET").string() + "/";
  const std::string password = disk.encrypted ? " -psecret" : "";
  // autoexec.baz holds AUTOEXEC.BAT without a folder, Docs.zip the tree below C:\.
  ASSERT_EQ(runCommand("mkdir -p " + shellQuoted(set) + " && cd " + shellQuoted(drive) +
                       " && 7zz a -bd -tzip" + password + " " + shellQuoted(set + "autoexec.baz") +
                       " AUTOEXEC.BAT >/dev/null && 7zz a -bd -tzip" + password + " " +
                       shellQuoted(set + "Docs.zip") + " Docs >/dev/null")
                .exitCode,
            0);
  m.write("C:\\AUTOEXEC.BAT", "@echo damaged\r\n");
  m.files->deleteFile("C:\\Docs\\letter.txt");
  m.write("C:\\Docs\\Sub\\list.txt", "overwritten");

  m.form->core.restoreType = 3;  // "Diskette, CD, Removable Drive"
  m.form->ComboBox1Change();
  m.form->core.winCrash = m.form->core.userFiles = false;
  m.form->core.winUsers = m.form->core.otherFiles = true;
  m.ui.expect("Specify the Disk", std::string(1, disk.drive) + ":\\SET");
  if (disk.encrypted) m.ui.expect("Password Needed", "secret");
  // autoexec.bat restored asks for a restart; the disk is to be taken out first.
  m.ui.expect("Please remove disk from disk drive and quit all applications.", "OK");
  m.form->RestoreClick();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_EQ(m.form->restore.state.sourceKind, corvasta::SourceKind::Removable);
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");
  EXPECT_EQ(m.read("C:\\Docs\\Sub\\list.txt"), "eggs, milk");
  EXPECT_TRUE(platform::restartRequested(*m.machine));
}

INSTANTIATE_TEST_SUITE_P(Disks, SevenZipSet,
                         ::testing::Values(SevenZipDisk{'E', false}, SevenZipDisk{'A', true}),
                         [](const auto& info) {
                           return std::string(info.param.drive == 'E' ? "Cd" : "DisketteEncrypted");
                         });

}  // namespace
}  // namespace restore_test
