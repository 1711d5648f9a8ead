// The program started on a Windows ME whose system.dat a crash has damaged
// (cut short, garbage, no signature): it starts with one warning naming the
// file, leaves the file as it is however the program ends, and the registry
// restore of a set puts the set's files in place at the next start.

#include <gtest/gtest.h>

#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"
#include "tests/support/registry_damage.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::RegistryDamage;
using testing_support::TestProgram;

class DamagedAtStart : public ::testing::TestWithParam<RegistryDamage> {};

TEST_P(DamagedAtStart, TheProgramWarnsOnceKeepsTheFileAndTheRestoreReplacesIt) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  const std::string set = backUpConfig1(m, 1);
  const std::string systemDat = m.form->core.loc.windowsDir + "SYSTEM.DAT";
  const std::string damaged = testing_support::damagedRegistryBytes(m.read(systemDat), GetParam());
  m.writeOnHost(systemDat, damaged);

  m.restartProgram();
  m.ui.expect("SYSTEM.DAT", "OK");
  m.start();
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  ASSERT_FALSE(m.ui.transcript.empty());
  EXPECT_NE(m.ui.transcript.back().find("cannot be read"), std::string::npos)
      << m.ui.transcript.back();
  EXPECT_NE(m.form->core.ActivityLog.find("Damaged registry file: "), std::string::npos);
  // The settings the window start writes reach the registry of this start
  // only; the damaged file is what a restore replaces.
  m.restartProgram();
  EXPECT_EQ(m.read(systemDat), damaged);

  m.ui.expect("SYSTEM.DAT", "OK");
  m.start();
  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = true;
  m.form->core.winUsers = m.form->core.userFiles = m.form->core.otherFiles = false;
  m.ui.expect("files restored", "OK");
  m.form->restore.run.RunRestore(set + "user0.daz", set + "system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_EQ(m.read(systemDat), damaged) << "replaced only at the next start";

  m.restartWindows({});
  EXPECT_EQ(m.read(systemDat), setRegistryFile(m, set, "system")) << m.bootLog;
  EXPECT_EQ(m.read(m.form->core.loc.windowsDir + "USER.DAT"), setRegistryFile(m, set, "user0"));
  EXPECT_TRUE(m.registry->damagedFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedAtStart,
                         ::testing::ValuesIn(testing_support::kRegistryDamages),
                         [](const auto& info) {
                           return std::string(testing_support::registryDamageName(info.param));
                         });

}  // namespace
}  // namespace restore_test
