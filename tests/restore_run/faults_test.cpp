// What a restore does with sets it cannot fully trust: a wrong password, a
// user.ini that sends a registry file elsewhere, a damaged registry archive
// beside a stale temporary file. Each is listed in the warning list, the run
// asks before restarting, and nothing is put in place half-written.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

bool listed(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

struct MeFaults : ::testing::Test {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  std::string windows() const { return m.form->core.loc.windowsDir; }
  // The registry extent only, as a Windows Crash restore.
  void restoreRegistry(const std::string& set) {
    m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
    m.form->restore.state.extentEnabled = {true, true, true, true};
    m.form->core.winCrash = true;
    m.form->core.winUsers = m.form->core.userFiles = m.form->core.otherFiles = false;
    m.form->restore.run.RunRestore(set + "user0.daz", set + "system.daz");
  }
};

TEST_F(MeFaults, WrongPasswordChangesNothingAndAsks) {
  const std::string set = backUpConfig1(m, 1, "secret");
  m.form->core.Form8.password.clear();
  const std::string registryBefore = m.read(windows() + "SYSTEM.DAT");
  const std::string winIniBefore = m.read(windows() + "WIN.INI");

  m.ui.expect("Password Needed", "guess");
  m.ui.expect("Wrong Password", "OK");
  // Every later archive asks again; declining is no better.
  for (int archive = 0; archive < 4; ++archive) {
    m.ui.expect("Password Needed", "Cancel");
    m.ui.expect("Wrong Password", "OK");
  }
  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();

  const std::vector<std::string>& warning = m.form->core.Form6.lines;
  EXPECT_TRUE(listed(warning, "(wrong password)"));
  EXPECT_TRUE(listed(warning, "(no password given)"));
  EXPECT_TRUE(listed(warning, "If any keys were successfully restored, "));
  EXPECT_EQ(m.read(windows() + "SYSTEM.DAT"), registryBefore);
  EXPECT_EQ(m.read(windows() + "WIN.INI"), winIniBefore);
  EXPECT_EQ(m.profileString(windows() + "wininit.ini", "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "system.dat")),
            "@");
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
}

TEST_F(MeFaults, UserIniEntryOutsideAUserDatIsRefused) {
  const std::string set = backUpConfig1(m, 1);
  const std::string command = m.read("C:\\COMMAND.COM");
  m.write(set + "user.ini", "[MultiUsers]\r\nuser0=C:\\COMMAND.COM\r\n");

  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\COMMAND.COM"), command);
  EXPECT_TRUE(listed(m.form->core.Form6.lines, "not a user.dat on a drive of this computer"));
  const std::string wininit = windows() + "wininit.ini";
  EXPECT_EQ(m.profileString(wininit, "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "user.dat")),
            "@");
  EXPECT_NE(m.profileString(wininit, "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "system.dat")),
            "@");
}

TEST_F(MeFaults, DamagedRegistryArchiveLeavesNoTemporaryFileToPutInPlace) {
  const std::string set = backUpConfig1(m, 1);
  m.writeOnHost(set + "user0.daz", "PK\x03\x04 this is not an archive any more");
  m.write("C:\\Temp\\user.dat", "left by an earlier restore");

  m.ui.expect("Do you want to Restart Windows?", "Yes");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(listed(m.form->core.Form6.lines, set + "user0.daz"));
  EXPECT_FALSE(m.exists("C:\\Temp\\user.dat"));
  const std::string userDat = m.read(windows() + "USER.DAT");

  m.restartWindows({});
  EXPECT_EQ(m.read(windows() + "USER.DAT"), userDat);
  EXPECT_EQ(m.read(windows() + "system.dat"), setRegistryFile(m, set, "system"));
}

}  // namespace
}  // namespace restore_test
