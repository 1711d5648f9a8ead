// Token privileges granted or refused as machine.ini says; none on Windows 9x.
#include "platform/system/privileges.h"

#include <gtest/gtest.h>

#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::MachineBuilder;
using testing_support::TempDir;

namespace {

TEST(Privileges, GrantedPrivilegeIsEnabled) {
  TempDir dir;
  auto machine =
      MachineBuilder(WindowsVersion::WinXp).build(dir.path());  // default: all three granted
  WinError error = WinError::AccessDenied;
  auto token = openProcessToken(*machine, error);
  ASSERT_TRUE(token);
  EXPECT_EQ(error, WinError::Success);
  auto backup = lookupPrivilegeValue(*machine, "sebackupprivilege", error);
  ASSERT_TRUE(backup);
  EXPECT_EQ(backup->lowPart, 17u);
  EXPECT_FALSE(token->isEnabled(*backup));
  EXPECT_TRUE(token->adjust(*backup, true, error));
  EXPECT_EQ(error, WinError::Success);
  EXPECT_TRUE(token->isEnabled(*backup));
  EXPECT_TRUE(token->adjust(*backup, false, error));
  EXPECT_FALSE(token->isEnabled(*backup));
  EXPECT_EQ(enablePrivilege(*machine, "SeShutdownPrivilege"), PrivilegeOutcome::Enabled);
}

TEST(Privileges, RefusedPrivilegeReportsNotAllAssigned) {
  TempDir dir;
  auto machine =
      MachineBuilder(WindowsVersion::Win2000)
          .configure([](MachineConfig& config) { config.privileges = {"SeBackupPrivilege"}; })
          .build(dir.path());
  WinError error = WinError::Success;
  auto token = openProcessToken(*machine, error);
  ASSERT_TRUE(token);
  auto restore = lookupPrivilegeValue(*machine, "SeRestorePrivilege", error);
  ASSERT_TRUE(restore);
  // The call itself succeeds, as AdjustTokenPrivileges does.
  EXPECT_TRUE(token->adjust(*restore, true, error));
  EXPECT_EQ(error, WinError::NotAllAssigned);
  EXPECT_FALSE(token->isEnabled(*restore));
  EXPECT_EQ(enablePrivilege(*machine, "SeRestorePrivilege"), PrivilegeOutcome::NotHeld);
  EXPECT_EQ(enablePrivilege(*machine, "SeShutdownPrivilege"), PrivilegeOutcome::NotHeld);
  EXPECT_EQ(enablePrivilege(*machine, "SeBackupPrivilege"), PrivilegeOutcome::Enabled);

  EXPECT_FALSE(lookupPrivilegeValue(*machine, "SeMadeUpPrivilege", error));
  EXPECT_EQ(error, WinError::NoSuchPrivilege);
  EXPECT_FALSE(token->adjust(Luid{999, 0}, true, error));
  EXPECT_EQ(error, WinError::InvalidParameter);
}

TEST(Privileges, Windows9xHasNoTokens) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe).build(dir.path());
  WinError error = WinError::Success;
  EXPECT_FALSE(openProcessToken(*machine, error));
  EXPECT_EQ(error, WinError::CallNotImplemented);
  EXPECT_FALSE(lookupPrivilegeValue(*machine, "SeShutdownPrivilege", error));
  EXPECT_EQ(error, WinError::CallNotImplemented);
  EXPECT_EQ(enablePrivilege(*machine, "SeShutdownPrivilege"), PrivilegeOutcome::Unavailable);
}

}  // namespace
