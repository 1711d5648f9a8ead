// A Windows 98 machine with three user profiles: the set holds a registry
// file for the Windows directory and for every profile, mapped in user.ini.
// Restored over a machine whose every user.dat is damaged, the current
// user's file waits in C:\Temp for MS-DOS mode and the others go straight
// to their profiles; after the restart each is the set's again.

#include <gtest/gtest.h>

#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(MultiUserSet, EveryProfilesUserDatComesBack) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win98, 3)};
  const std::string set = backUpConfig1(m, 1);
  const std::vector<std::string> users = m.form->backup.items.profileCandidates("user.dat");
  ASSERT_EQ(users.size(), 4u) << "the Windows directory and three profiles";
  std::vector<std::string> fromSet;
  for (size_t n = 0; n < users.size(); ++n) {
    fromSet.push_back(m.onlyEntryOf(set + "user" + std::to_string(n) + ".daz"));
    EXPECT_EQ(fromSet.back(), m.read(users[n])) << users[n];
  }
  const std::vector<std::string> files = watchedFiles(m);
  const auto before = snapshot(m, files);
  damage(m);
  for (const std::string& user : users) m.writeOnHost(user, "broken registry of " + user);

  // The Restore button on the set: the current user's entry of user.ini
  // names the registry file the run starts from.
  m.ui.expect("files restored", "OK");
  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.winUsers = m.form->core.userFiles = true;
  m.form->core.otherFiles = true;
  m.form->restore.sources.GetCompressType(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  const std::string current = m.form->restore.sources.CurrentUserEntry(set);
  EXPECT_NE(current, "user0") << "the logged-on user has a profile";
  const std::string log = m.read(m.programDir() + "results.txt");
  EXPECT_NE(log.find(">>> Restore of " + set + current + ".daz"), std::string::npos) << log;

  m.restartWindows({});
  for (size_t n = 0; n < users.size(); ++n)
    EXPECT_EQ(m.read(users[n]), fromSet[n]) << users[n] << m.bootLog;
  EXPECT_EQ(m.read(m.form->core.loc.windowsDir + "system.dat"), setRegistryFile(m, set, "system"));
  EXPECT_EQ(snapshot(m, files), before);
  EXPECT_FALSE(m.exists("C:\\Temp\\user.dat"));
  EXPECT_FALSE(m.exists(m.programDir() + "startwin.bat"));
}

}  // namespace
}  // namespace restore_test
