// Loading the settings: defaults of a fresh file, the rules that interpret
// stored values, and the profile format's case and quoting rules.

#include <gtest/gtest.h>

#include "tests/support/program_rig.h"

namespace prefs_test {
namespace {

using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(ReadSettings, FreshSettingsGiveTheDefaults) {
  TestProgram m;
  m.form->ReadSettings();
  const corvasta::PreferenceValues& prefs = m.form->core.Form8;
  EXPECT_EQ(prefs.curConfig, 1);
  EXPECT_EQ(prefs.configNames[0], "Config 1");
  EXPECT_EQ(prefs.config.target, "C:\\Program Files\\Corvasta\\");
  EXPECT_EQ(prefs.config.compress, 1);    // "Low/Fast Compression"
  EXPECT_EQ(prefs.config.backupType, 0);  // "Full"
  EXPECT_TRUE(prefs.config.ejectCD);
  EXPECT_FALSE(prefs.config.deleteFiles);
  for (int freq : prefs.automationFreq) EXPECT_EQ(freq, corvasta::kDoNotPerform);
  EXPECT_TRUE(prefs.marqueeScroll);
  EXPECT_TRUE(m.form->core.marqueeRunning);
  EXPECT_EQ(prefs.maxNum, 10);
  EXPECT_EQ(prefs.keep, 1);
  EXPECT_TRUE(prefs.useDate);
  EXPECT_TRUE(prefs.dateFormatEnabled);
  EXPECT_FALSE(prefs.blockNumberEnabled);
  // Configs without a target cannot be chosen on the main window.
  EXPECT_FALSE(m.form->core.configEnabled[1]);
  EXPECT_FALSE(m.form->core.configEnabled[3]);
}

TEST(ReadSettings, StartupCheckDefaultsDependOnTheWindowsFamily) {
  TestProgram me;
  me.form->ReadSettings();
  const std::vector<int> win9x{1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(me.form->core.Form8.config.winFilesChecks, win9x);

  TestProgram xp{MachineBuilder(WindowsVersion::WinXp)};
  xp.form->ReadSettings();
  std::vector<int> nt(21, 0);
  for (int item = 0; item <= 7; ++item) nt[item] = 1;
  EXPECT_EQ(xp.form->core.Form8.config.winFilesChecks, nt);
}

TEST(ReadSettings, ConfigWithoutTargetIsDisabledAndNotAutomated) {
  TestProgram m;
  m.writeSettings(
      "[BackupPreferences2]\r\nTarget=\r\n[AutoBackup2]\r\nFreq=0\r\n"
      "[BackupPreferences3]\r\nTarget=D:\\Sets\\\r\n[AutoBackup3]\r\nFreq=1\r\n"
      "[AutoBackup4]\r\nFreq=1\r\n[AutoStart]\r\nFreq=9\r\n[AutoBackup]\r\nFreq=3\r\n");
  m.form->ReadSettings();
  EXPECT_FALSE(m.form->core.configEnabled[1]);
  EXPECT_FALSE(m.form->core.Form8.automationEnabled[2]);
  EXPECT_EQ(m.form->core.Form8.automationFreq[2], corvasta::kDoNotPerform);
  EXPECT_TRUE(m.form->core.configEnabled[2]);
  EXPECT_EQ(m.form->core.Form8.automationFreq[3], 1);
  // Config 4 has no target at all; a frequency outside the list is no selection.
  EXPECT_EQ(m.form->core.Form8.automationFreq[4], corvasta::kDoNotPerform);
  EXPECT_EQ(m.form->core.Form8.automationFreq[0], corvasta::kDoNotPerform);
  EXPECT_EQ(m.form->core.Form8.automationFreq[1], 3);
}

TEST(ReadSettings, OldDifferentialMeansReplaceAndIsSavedInTheNewNumbering) {
  TestProgram m;
  m.writeSettings("[BackupPreferences1]\r\nBackupType=2\r\n");
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.Form8.config.backupType, 3);
  m.form->WriteSettings();
  EXPECT_EQ(m.setting("BackupPreferences1", "BackupType"), "3");
  EXPECT_EQ(m.setting("BackupPreferences1", "NewBackupType"), "1");
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.Form8.config.backupType, 3);

  m.writeSettings("[BackupPreferences1]\r\nBackupType=2\r\nNewBackupType=1\r\n");
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.Form8.config.backupType, 2);
}

TEST(ReadSettings, StoredValuesAreInterpretedAsTheDialogShowsThem) {
  TestProgram m;
  m.writeSettings(
      "[BackupPreferences]\r\ncurconfig=7\r\nMaxNum=99999\r\n"
      "[BackupPreferences1]\r\nTarget=\"  x \"\r\nBlockCheck=1\r\nCompress=0x3\r\n"
      "[BackupPreferences7]\r\nTarget=wrong\r\n"
      "[AutoStart]\r\nPause=1\r\n[BackupName]\r\nUseDate=0\r\n");
  m.form->ReadSettings();
  const corvasta::PreferenceValues& prefs = m.form->core.Form8;
  EXPECT_EQ(prefs.curConfig, 1);
  EXPECT_EQ(prefs.config.target, "  x ");
  EXPECT_EQ(prefs.config.compress, 3);
  EXPECT_EQ(prefs.maxNum, 10000);
  EXPECT_EQ(prefs.pause, 30);
  EXPECT_TRUE(prefs.blockNumberEnabled);
  EXPECT_FALSE(prefs.dateFormatEnabled);
  // The pause field saves what it shows.
  m.form->WriteSettings();
  EXPECT_EQ(m.setting("AutoStart", "Pause"), "30");
}

TEST(ReadSettings, SectionAndKeyNamesMatchWithoutCase) {
  TestProgram upper;
  upper.writeSettings("[AutoBackup]\r\nFreq=1\r\n[BackupPreferences]\r\nMaxNum=20\r\n");
  upper.form->ReadSettings();
  TestProgram lower;
  lower.writeSettings("[autobackup]\r\nfreq=1\r\n[backuppreferences]\r\nmaxnum=20\r\n");
  lower.form->ReadSettings();
  EXPECT_EQ(lower.form->core.Form8.automationFreq, upper.form->core.Form8.automationFreq);
  EXPECT_EQ(lower.form->core.Form8.automationFreq[1], 1);
  EXPECT_EQ(lower.form->core.Form8.maxNum, 20);
}

TEST(ReadSettings, OtherFilesChecksFollowTheEntriesUpToTheFirstWithoutName) {
  TestProgram m;
  m.writeSettings(
      "[BackupPreferences]\r\ncurconfig=2\r\n"
      "[MultiFiles0]\r\nFileName=Docs\r\nCheck2=1\r\n"
      "[MultiFiles1]\r\nFileName=Mail\r\nCheck1=1\r\n"
      "[MultiFiles2]\r\nFileName=\r\nCheck2=1\r\n"
      "[MultiFiles3]\r\nFileName=Lost\r\nCheck2=1\r\n");
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.Form8.otherFilesNames, (std::vector<std::string>{"Docs", "Mail"}));
  EXPECT_EQ(m.form->core.Form8.config.otherFilesChecks, (std::vector<int>{1, 0}));
}

TEST(ReadSettings, Windows95TakesTheRegistryExtensionFromWhichRegistry) {
  TestProgram m{MachineBuilder(WindowsVersion::Win95)};
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.loc.registryExtension, ".da0");
  m.writeSettings("[WhichRegistry1]\r\nPrevious=0\r\n");
  m.form->ReadSettings();
  EXPECT_EQ(m.form->core.loc.registryExtension, ".dat");
}

}  // namespace
}  // namespace prefs_test
