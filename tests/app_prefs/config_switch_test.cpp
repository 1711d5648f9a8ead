// The config switch: the leaving config is saved, the arriving one loaded
// with the leaving config's target and behaviour as defaults.

#include <gtest/gtest.h>

#include "tests/support/program_rig.h"

namespace prefs_test {
namespace {

using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(SwitchConfig, NewConfigStartsFromTheLeavingConfigsTargetAndBehaviour) {
  TestProgram m;
  m.writeSettings("[MultiFiles0]\r\nFileName=Docs\r\nCheck1=1\r\n");
  m.form->ReadSettings();
  corvasta::BackupConfigRecord& config1 = m.form->core.Form8.config;
  config1.target = "D:\\Sets\\";
  config1.compress = 4;
  config1.deleteFiles = true;
  config1.closeAfterBackup = true;
  config1.windowsRestart = 1;
  config1.verifyBackup = true;
  config1.blockCheck = true;
  config1.blockNumber = "1000000";
  config1.ejectCD = false;
  config1.copyOpenFiles = true;
  config1.backupType = 1;
  config1.winFilesChecks[9] = 0;
  m.form->core.Form8.password = "secret";

  m.form->core.SwitchConfig(2);
  const corvasta::BackupConfigRecord& config2 = m.form->core.Form8.config;
  EXPECT_EQ(m.form->core.Form8.curConfig, 2);
  EXPECT_EQ(config2.target, "D:\\Sets\\");
  EXPECT_EQ(config2.compress, 4);
  EXPECT_TRUE(config2.deleteFiles);
  EXPECT_TRUE(config2.closeAfterBackup);
  EXPECT_EQ(config2.windowsRestart, 1);
  EXPECT_TRUE(config2.ejectCD);
  EXPECT_FALSE(config2.verifyBackup);
  EXPECT_FALSE(config2.blockCheck);
  EXPECT_FALSE(config2.copyOpenFiles);
  EXPECT_FALSE(config2.treatAsHardDrive);
  EXPECT_EQ(config2.blockNumber, "");
  EXPECT_EQ(config2.backupType, 0);
  EXPECT_FALSE(m.form->core.Form8.blockNumberEnabled);
  // The switch defaults of the WinFiles checks: items 0 to 8 and 10.
  std::vector<int> checks(19, 0);
  for (int item : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}) checks[item] = 1;
  EXPECT_EQ(config2.winFilesChecks, checks);
  EXPECT_EQ(config2.otherFilesChecks, std::vector<int>{0});
  EXPECT_EQ(m.form->core.Form8.password, "secret");

  // Config 1 was saved on the way out.
  EXPECT_EQ(m.setting("BackupPreferences", "curconfig"), "2");
  EXPECT_EQ(m.setting("BackupPreferences1", "Target"), "D:\\Sets\\");
  EXPECT_EQ(m.setting("BackupPreferences1", "BlockNumber"), "1000000");
  EXPECT_EQ(m.setting("BackupPreferences1", "BackupType"), "1");
  EXPECT_EQ(m.setting("Checks1", "9"), "0");
  EXPECT_EQ(m.setting("MultiFiles0", "Check1"), "1");
  EXPECT_EQ(m.settingsText().find("secret"), std::string::npos);

  // Back to config 1: its own values, not config 2's.
  m.form->core.SwitchConfig(1);
  EXPECT_EQ(m.form->core.Form8.config.backupType, 1);
  EXPECT_TRUE(m.form->core.Form8.config.verifyBackup);
  EXPECT_FALSE(m.form->core.Form8.config.ejectCD);
  EXPECT_EQ(m.form->core.Form8.config.winFilesChecks[9], 0);
  EXPECT_EQ(m.form->core.Form8.config.otherFilesChecks, std::vector<int>{1});
  EXPECT_TRUE(m.form->core.Form8.blockNumberEnabled);
  EXPECT_EQ(m.setting("BackupPreferences2", "Target"), "D:\\Sets\\");
}

TEST(SwitchConfig, NumbersOutsideOneToFourMeanConfigOne) {
  for (int number : {0, 7, -3}) {
    TestProgram m;
    m.writeSettings(
        "[BackupPreferences]\r\ncurconfig=3\r\n[BackupPreferences1]\r\nTarget=E:\\One\\\r\n");
    m.form->ReadSettings();
    m.form->core.SwitchConfig(number);
    EXPECT_EQ(m.form->core.Form8.curConfig, 1) << number;
    EXPECT_EQ(m.form->core.Form8.config.target, "E:\\One\\") << number;
    EXPECT_EQ(m.setting("BackupPreferences", "curconfig"), "1") << number;
  }
}

TEST(SwitchConfig, Windows95CarriesWhichRegistryAndSetsTheExtension) {
  TestProgram m{MachineBuilder(WindowsVersion::Win95)};
  m.form->ReadSettings();
  m.form->core.Form8.config.previousRegistry = false;
  m.form->core.SwitchConfig(3);
  EXPECT_FALSE(m.form->core.Form8.config.previousRegistry);
  EXPECT_EQ(m.form->core.loc.registryExtension, ".dat");
  EXPECT_EQ(m.setting("WhichRegistry1", "Previous"), "0");
}

}  // namespace
}  // namespace prefs_test
