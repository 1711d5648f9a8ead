// ExitWindowsEx: the restart mark and the journal.
#include "platform/system/restart.h"

#include <gtest/gtest.h>

#include "platform/system/journal.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::MachineBuilder;
using testing_support::TempDir;

namespace {

TEST(Restart, RebootMarksTheMachineUntilCleared) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  EXPECT_FALSE(restartRequested(*machine));
  WinError error = WinError::AccessDenied;
  EXPECT_TRUE(exitWindowsEx(*machine, kEwxReboot, error));
  EXPECT_EQ(error, WinError::Success);
  EXPECT_TRUE(restartRequested(*machine));
  // The mark is in the machine's state on disk, seen by a later program run.
  auto again = Machine::open(dir.path());
  EXPECT_TRUE(restartRequested(*again));
  clearRestartRequest(*again);
  EXPECT_FALSE(restartRequested(*Machine::open(dir.path())));
  auto journal = readJournal(*machine);
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].kind, "restart");
  EXPECT_EQ(journal[0].details, "reboot");
}

TEST(Restart, NtWithoutShutdownPrivilegeIsRefusedButJournalled) {
  TempDir dir;
  auto machine =
      MachineBuilder(WindowsVersion::WinXp)
          .configure([](MachineConfig& config) { config.privileges = {"SeBackupPrivilege"}; })
          .build(dir.path());
  WinError error = WinError::Success;
  EXPECT_FALSE(exitWindowsEx(*machine, kEwxReboot | kEwxForce, error));
  EXPECT_EQ(error, WinError::PrivilegeNotHeld);
  EXPECT_FALSE(restartRequested(*machine));
  auto journal = readJournal(*machine);
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].details, "reboot force refused: SeShutdownPrivilege not held");
  // Logging off needs no privilege and restarts nothing.
  EXPECT_TRUE(exitWindowsEx(*machine, kEwxLogoff, error));
  EXPECT_FALSE(restartRequested(*machine));
}

}  // namespace
