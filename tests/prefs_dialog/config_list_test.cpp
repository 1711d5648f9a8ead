// The editable config list: names as typed, the switch only from the opened
// list, and what an unused config takes from the one left.

#include <gtest/gtest.h>

#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

TEST(ConfigList, TypingRenamesTheCurrentConfigWithinTenCharacters) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  EXPECT_FALSE(dialog.applyEnabled);
  const corvasta::ConfigNameEdit kept = dialog.ComboBox9Edited({"Weekly full set", 3, 2});
  EXPECT_EQ(kept.text, "Weekly ful");
  EXPECT_EQ(kept.selStart, 3u);
  EXPECT_EQ(kept.selLength, 2u);
  EXPECT_EQ(m.values().configNames[0], "Weekly ful");
  EXPECT_TRUE(dialog.applyEnabled);
  // A caret past the cut end stays at the end.
  const corvasta::ConfigNameEdit atEnd = dialog.ComboBox9Edited({"ABCDEFGHIJKL", 12, 0});
  EXPECT_EQ(atEnd.text, "ABCDEFGHIJ");
  EXPECT_EQ(atEnd.selStart, 10u);
  EXPECT_EQ(atEnd.selLength, 0u);
}

TEST(ConfigList, CharactersASetNameCannotHoldAreRefused) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  for (char c : std::string("\\/:*?\"<>|")) {
    m.ui.expect(std::string(1, c) + " is not a valid character.", "OK");
    EXPECT_FALSE(dialog.ComboBox9KeyPress(c)) << c;
  }
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(dialog.ComboBox9KeyPress('a'));
  EXPECT_TRUE(dialog.ComboBox9KeyPress(' '));
  // Pasted text passes no key: the refused characters are dropped, the caret
  // moves back over them.
  const corvasta::ConfigNameEdit pasted = dialog.ComboBox9Edited({"..\\x/y", 6, 0});
  EXPECT_EQ(pasted.text, "..xy");
  EXPECT_EQ(pasted.selStart, 4u);
  // The name reaches set names: a backup named with "Add Config" stays in its folder.
  dialog.ApplyClick();
  EXPECT_EQ(m.setting("BackupPreferences1", "ConfigName"), "..xy");
}

TEST(ConfigList, AKeyboardChoiceWithoutOpeningTheListSwitchesNothing) {
  PrefsMachine m(WindowsVersion::Win95);
  corvasta::TForm8& dialog = m.dialog();
  m.values().config.target = "C:\\Kept\\";
  dialog.ComboBox9Change(2);
  EXPECT_EQ(dialog.configListText, "Config 3");
  EXPECT_EQ(m.values().curConfig, 1);
  EXPECT_EQ(m.values().config.target, "C:\\Kept\\");
  EXPECT_EQ(m.setting("BackupPreferences3", "Target"), "@");
  // Opening the list arms one switch.
  dialog.ComboBox9DropDown();
  dialog.ComboBox9Change(1);
  EXPECT_EQ(m.values().curConfig, 2);
  dialog.ComboBox9Change(0);
  EXPECT_EQ(m.values().curConfig, 2);
}

TEST(ConfigList, AnUnusedConfigTakesSixValuesOfTheConfigLeft) {
  PrefsMachine m(WindowsVersion::WinXp);
  corvasta::TForm8& dialog = m.dialog();
  corvasta::BackupConfigRecord& config = m.values().config;
  config.target = "C:\\Sets\\";
  config.compress = 0;
  config.deleteFiles = true;
  config.treatAsHardDrive = true;
  config.closeAfterBackup = true;
  config.windowsRestart = 1;
  config.verifyBackup = true;
  config.minimizeDuringBackup = true;
  config.winFilesChecks.assign(config.winFilesChecks.size(), 0);

  dialog.ComboBox9DropDown();
  dialog.ComboBox9Change(2);
  const corvasta::BackupConfigRecord& third = m.values().config;
  EXPECT_EQ(m.values().curConfig, 3);
  EXPECT_EQ(third.target, "C:\\Sets\\");
  EXPECT_EQ(third.compress, 0);
  EXPECT_TRUE(third.deleteFiles);
  EXPECT_TRUE(third.treatAsHardDrive);
  EXPECT_TRUE(third.closeAfterBackup);
  EXPECT_EQ(third.windowsRestart, 1);
  EXPECT_FALSE(third.verifyBackup);
  EXPECT_FALSE(third.minimizeDuringBackup);
  // The WinFiles checks of a switch: items 9 and 11 onward unchecked.
  for (size_t item = 0; item < third.winFilesChecks.size(); ++item)
    EXPECT_EQ(third.winFilesChecks[item], item == 9 || item >= 11 ? 0 : 1) << item;
  // "Do Not Compress": no blocks.
  EXPECT_FALSE(dialog.enabling.blockCheck);
  EXPECT_FALSE(m.values().blockCheckEnabled);

  dialog.ComboBox9DropDown();
  dialog.ComboBox9Change(0);
  EXPECT_EQ(m.values().curConfig, 1);
  EXPECT_TRUE(m.values().config.verifyBackup);
  EXPECT_EQ(m.crudini("BackupPreferences3", "Target"), "C:\\Sets\\");
  EXPECT_EQ(m.crudini("BackupPreferences3", "CloseAfterBackup"), "1");
  EXPECT_EQ(m.crudini("BackupPreferences", "curconfig"), "1");
}

}  // namespace
}  // namespace prefs_dialog_test
