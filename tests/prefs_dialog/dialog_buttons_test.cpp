// Activation, "O K", "&Apply" and "Cancel": what reaches the settings file
// (read back with crudini), what comes back from it, and the changed state.

#include <gtest/gtest.h>

#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

TEST(Activation, TheDialogOpensUnchangedWithTheSettingsOfTheFile) {
  PrefsMachine m(WindowsVersion::Win95);
  m.setSetting("BackupPreferences1", "Target", "C:\\Nightly\\");
  m.setSetting("BackupName", "DateFormat", "yyyy/MM/dd");
  corvasta::TForm8& dialog = m.dialog();
  dialog.applyEnabled = true;
  dialog.treeExpanded = false;
  dialog.FormActivate();
  EXPECT_FALSE(dialog.applyEnabled);
  EXPECT_TRUE(dialog.treeExpanded);
  EXPECT_EQ(m.values().config.target, "C:\\Nightly\\");
  EXPECT_EQ(dialog.configListText, "Config 1");
  EXPECT_EQ(dialog.backupManagerColumn1, "0 Backups");
  EXPECT_FALSE(dialog.deleteSetEnabled || dialog.renameSetEnabled);
  EXPECT_EQ(dialog.exampleLine, "Example of Today's Date in the above format: 2004-05-03");
}

TEST(DialogButtons, ApplyAndOkSaveCancelReloads) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  int closes = 0, refreshes = 0;
  dialog.CloseDialog = [&] { ++closes; };
  dialog.ConfigNamesChanged = [&] { ++refreshes; };

  dialog.ComboBox9Edited({"Daily", 5, 0});
  dialog.TargetChange("C:\\Daily\\");
  m.values().config.compress = 3;
  m.values().config.verifyBackup = true;
  m.values().password = "s3cret";
  dialog.PreferenceChange();
  EXPECT_TRUE(dialog.applyEnabled);
  dialog.ApplyClick();
  EXPECT_FALSE(dialog.applyEnabled);
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(m.crudini("BackupPreferences1", "ConfigName"), "Daily");
  EXPECT_EQ(m.crudini("BackupPreferences1", "Target"), "C:\\Daily\\");
  EXPECT_EQ(m.crudini("BackupPreferences1", "Compress"), "3");
  EXPECT_EQ(m.crudini("BackupPreferences1", "VerifyBackup"), "1");
  EXPECT_EQ(m.settingsText().find("s3cret"), std::string::npos);
  EXPECT_EQ(m.values().automationLabels[0], "Back up &1st Setup (Daily).");
  EXPECT_GE(refreshes, 1);

  // Cancel takes back what was not applied, the name included.
  dialog.ComboBox9Edited({"Oops", 4, 0});
  dialog.TargetChange("C:\\Elsewhere\\");
  dialog.CancelClick();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(dialog.applyEnabled);
  EXPECT_EQ(m.values().configNames[0], "Daily");
  EXPECT_EQ(dialog.configListText, "Daily");
  EXPECT_EQ(m.values().automationLabels[0], "Back up &1st Setup (Daily).");
  EXPECT_EQ(m.values().config.target, "C:\\Daily\\");
  EXPECT_EQ(m.crudini("BackupPreferences1", "Target"), "C:\\Daily\\");

  dialog.TargetChange("C:\\Weekly\\");
  dialog.OKClick();
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(dialog.applyEnabled);
  EXPECT_EQ(m.crudini("BackupPreferences1", "Target"), "C:\\Weekly\\");
  EXPECT_EQ(m.crudini("BackupPreferences", "curconfig"), "1");
}

}  // namespace
}  // namespace prefs_dialog_test
