// A set put together with Info-ZIP's zip (entries without drive letters,
// "/" separators, also encrypted with -e) restores like one of our own.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::TestProgram;

class InfoZipSet : public ::testing::TestWithParam<bool> {};

TEST_P(InfoZipSet, WinConfigAndOtherFilesComeBack) {
  if (!testing_support::haveProgram("zip")) GTEST_SKIP() << "zip is not installed";
  const bool encrypted = GetParam();
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  m.start();
  m.write("C:\\Docs\\letter.txt", "Dear reader");
  const std::string autoexec = m.read("C:\\AUTOEXEC.BAT");
  m.write("C:\\ZIPSET\\placeholder", "");
  const std::string drive = m.host("C:\\").string();
  const std::string set = m.host("C:\\ZIPSET").string();
  const std::string password = encrypted ? " -P secret" : "";
  // autoexec.baz holds AUTOEXEC.BAT without a folder; Docs.zip the tree
  // below C:\ with "/" separators.
  ASSERT_EQ(runCommand("cd " + shellQuoted(drive) + " && zip -q -j" + password + " " +
                       shellQuoted(set + "/autoexec.baz") + " AUTOEXEC.BAT")
                .exitCode,
            0);
  ASSERT_EQ(runCommand("cd " + shellQuoted(drive) + " && zip -q -r" + password + " " +
                       shellQuoted(set + "/Docs.zip") + " Docs")
                .exitCode,
            0);
  m.files->deleteFile("C:\\ZIPSET\\placeholder");
  m.write("C:\\AUTOEXEC.BAT", "@echo damaged\r\n");
  m.files->deleteFile("C:\\Docs\\letter.txt");

  if (encrypted) m.ui.expect("Password Needed", "secret");
  m.ui.expect("files restored", "OK");
  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.userFiles = false;
  m.form->core.winUsers = m.form->core.otherFiles = true;
  m.form->restore.run.RunRestore("C:\\ZIPSET\\autoexec.baz", "C:\\ZIPSET\\system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_EQ(m.read("C:\\Docs\\letter.txt"), "Dear reader");
}

INSTANTIATE_TEST_SUITE_P(Plain, InfoZipSet, ::testing::Values(false, true));

}  // namespace
}  // namespace restore_test
