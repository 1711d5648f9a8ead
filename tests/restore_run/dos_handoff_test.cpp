// Windows 95 and 98 end to end: the registry files wait in C:\Temp and
// startwin.bat copies them into place in MS-DOS mode, reached through
// startwin.pif (98, compressed set) or through autoexec.bat and a reboot
// with cleanup.lnk taking the call out again at logon (95, uncompressed set).

#include <gtest/gtest.h>

#include "app/core/TextLines.h"
#include "platform/files/file_system.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(DosHandOff, Win98PifMethodCopiesTheRegistryInMsDosMode) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win98)};
  const std::string set = backUpConfig1(m, 1);
  const std::vector<std::string> files = watchedFiles(m);
  const auto before = snapshot(m, files);
  damage(m);

  m.ui.expect("files restored", "OK");
  restoreAll(m, set + "user0.daz", set + "system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();

  const std::string windows = m.form->core.loc.windowsDir;
  const std::string batchFile = m.programDir() + "startwin.bat";
  const std::string batch = m.read(batchFile);
  const std::vector<std::string> lines = corvasta::splitLines(batch);
  ASSERT_EQ(lines.size(), 11u) << batch;
  const std::string w = corvasta::ShortFileName(*m.machine, windows + "system.dat");
  EXPECT_EQ(lines[8], "@copy C:\\TEMP\\SYSTEM.DAT " + w);
  EXPECT_EQ(lines[2], "@echo    Restoring User Settings");
  EXPECT_EQ(lines.back(), "del startwin.bat");
  EXPECT_NE(batch.find("\r\n"), std::string::npos);
  EXPECT_EQ(m.read("C:\\Temp\\system.dat"), setRegistryFile(m, set, "system"));

  m.restartWindows({});
  EXPECT_EQ(snapshot(m, files), before);
  EXPECT_EQ(m.read(windows + "system.dat"), setRegistryFile(m, set, "system"));
  EXPECT_EQ(m.read(windows + "user.dat"), setRegistryFile(m, set, "user0"));
  EXPECT_FALSE(m.exists(batchFile)) << m.bootLog;
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
  EXPECT_FALSE(m.exists("C:\\Temp\\user.dat"));
}

TEST(DosHandOff, Win95AutoexecMethodFromAnUncompressedSet) {
  const std::string program = consoleProgram();
  if (program.empty()) GTEST_SKIP() << "corvasta is not built";
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win95)};
  m.setSetting("BackupPreferences1", "WindowsRestart", "1");
  const std::string set = backUpConfig1(m, 0);
  ASSERT_TRUE(m.exists(set + "win.ini"));
  const std::vector<std::string> files = watchedFiles(m);
  const auto before = snapshot(m, files);
  damage(m);

  // The set's classification: win.ini and no registry.daz.
  m.ui.expect("files restored", "OK");
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.winUsers = m.form->core.userFiles = true;
  m.form->core.otherFiles = true;
  m.form->restore.state.sourceKind = corvasta::SourceKind::PlainRegistry;
  m.form->restore.run.RunRestore(set + "user0.dat", set + "system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();

  const std::string root = m.form->core.loc.rootDir;
  const std::vector<std::string> autoexec = corvasta::splitLines(m.read(root + "autoexec.bat"));
  EXPECT_NE(std::find(autoexec.begin(), autoexec.end(), root + "startwin.bat"), autoexec.end());
  const std::string cleanup = m.startup() + "cleanup.lnk";
  ASSERT_TRUE(m.exists(cleanup));
  EXPECT_EQ(m.read(root + "startwin.bat").substr(0, 1), "@");

  m.restartWindows({}, program);
  // The "clean" start writes autoexec.bat again: its bytes come back, its time is new.
  auto after = snapshot(m, files);
  after[root + "AUTOEXEC.BAT"].lastWrite = before.at(root + "AUTOEXEC.BAT").lastWrite;
  EXPECT_EQ(after, before) << m.bootLog;
  const std::string windows = m.form->core.loc.windowsDir;
  EXPECT_EQ(m.read(windows + "system.dat"), setRegistryFile(m, set, "system"));
  EXPECT_EQ(m.read(windows + "user.dat"), setRegistryFile(m, set, "user0"));
  EXPECT_FALSE(m.exists(root + "startwin.bat"));
  EXPECT_FALSE(m.exists(cleanup)) << m.bootLog;
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
}

}  // namespace
}  // namespace restore_test
