// The change check: what the target's drive type, the compression and the
// checks enable; the Replace warning; the target browse; the block field;
// the example date; Maximum and Keep.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "backup/model/BackupTypes.h"
#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

MachineBuilder meWithDrives() {
  return MachineBuilder::sample(WindowsVersion::WinMe)
      .cdromDrive('R', {"disc"})
      .removableDrive('Z', {"zip1"}, std::nullopt);
}

TEST(PreferenceChange, CdOptionsFollowTheTargetDriveAndThePacketFormat) {
  PrefsMachine m(meWithDrives());
  corvasta::TForm8& dialog = m.dialog();
  m.values().config.doNotUseCDWrite = false;
  dialog.TargetChange("R:\\");
  EXPECT_TRUE(dialog.enabling.cdPacket);
  EXPECT_TRUE(dialog.enabling.cdOptions);
  EXPECT_TRUE(dialog.enabling.deleteFiles && dialog.enabling.treatAsFixed);
  m.values().config.doNotUseCDWrite = true;
  dialog.PreferenceChange();
  EXPECT_TRUE(dialog.enabling.cdPacket);
  EXPECT_FALSE(dialog.enabling.cdOptions);

  dialog.TargetChange("Z:\\Sets\\");
  EXPECT_FALSE(dialog.enabling.cdPacket || dialog.enabling.cdOptions);
  EXPECT_TRUE(dialog.enabling.deleteFiles && dialog.enabling.treatAsFixed);

  dialog.TargetChange("C:\\Sets\\");
  EXPECT_FALSE(dialog.enabling.deleteFiles || dialog.enabling.treatAsFixed);
  EXPECT_FALSE(dialog.enabling.cdPacket);
  // A drive that does not exist has no type: only these rules depend on it.
  dialog.TargetChange("Q:\\");
  EXPECT_TRUE(dialog.enabling.deleteFiles);
  EXPECT_FALSE(dialog.enabling.cdPacket);
  EXPECT_TRUE(dialog.applyEnabled);
}

TEST(PreferenceChange, BlocksFollowTheCompressionAndWhichRegistryTheRegistryItem) {
  PrefsMachine m(WindowsVersion::Win95);
  corvasta::TForm8& dialog = m.dialog();
  m.values().config.compress = 2;
  dialog.BlockCheckClick(true);
  EXPECT_TRUE(dialog.enabling.blockCheck && dialog.enabling.blockNumber);
  EXPECT_TRUE(m.values().blockNumberEnabled);
  m.values().config.compress = 0;
  dialog.PreferenceChange();
  EXPECT_FALSE(dialog.enabling.blockCheck || dialog.enabling.blockNumber);
  EXPECT_FALSE(m.values().blockNumberEnabled);

  EXPECT_TRUE(dialog.enabling.whichRegistry);
  m.values().config.winFilesChecks[0] = 0;
  dialog.PreferenceChange();
  EXPECT_FALSE(dialog.enabling.whichRegistry);

  for (char key : std::string("0123456789\b"))
    EXPECT_TRUE(corvasta::TForm8::BlockNumberKeyPress(key));
  for (char key : std::string("-+ a.e")) EXPECT_FALSE(corvasta::TForm8::BlockNumberKeyPress(key));
}

TEST(PreferenceChange, ReplaceIntoTheProgramDirectoryIsWarnedAndKept) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  const std::string program = m.programDir();
  dialog.TargetChange(program + "Sets\\");
  dialog.BackupTypeChange(corvasta::kReplaceBackup);  // a subdirectory: no warning
  m.ui.expect("the Target should be a subdirectory of the Corvasta directory", "OK");
  std::string lower = program;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  dialog.TargetChange(lower);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.values().config.target, lower);
  EXPECT_EQ(m.values().config.backupType, corvasta::kReplaceBackup);
}

TEST(PreferenceChange, TheTargetBrowseEndsInABackslashOrFallsBackToTheProgram) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  m.ui.expect("Select Target Directory for Backups", "C:\\Backups");
  dialog.TargetBrowseClick();
  EXPECT_EQ(m.values().config.target, "C:\\Backups\\");
  m.ui.expect("Select Target Directory for Backups", "");
  dialog.TargetBrowseClick();
  EXPECT_EQ(m.values().config.target, m.programDir());
  m.values().config.target = "C:\\Kept\\";
  m.ui.expect("Select Target Directory for Backups", "Cancel");
  dialog.TargetBrowseClick();
  EXPECT_EQ(m.values().config.target, "C:\\Kept\\");
  EXPECT_NE(
      std::find(m.ui.transcript.begin(), m.ui.transcript.end(),
                "Choose [Select Target Directory for Backups] " + m.programDir() + " -> Cancel"),
      m.ui.transcript.end());
}

TEST(BackupNames, TheExampleLineShowsTodayInTheFieldsFormat) {
  PrefsMachine m(MachineBuilder::sample(WindowsVersion::WinMe).today(2004, 5, 3));
  corvasta::TForm8& dialog = m.dialog();
  dialog.DateFormatChange("dd/MM/yyyy");
  EXPECT_EQ(dialog.exampleLine, "Example of Today's Date in the above format: 03-05-2004");
  dialog.UseDateClick(false);
  EXPECT_FALSE(m.values().dateFormatEnabled);
  dialog.ApplyClick();
  EXPECT_EQ(m.crudini("BackupName", "DateFormat"), "dd/MM/yyyy");
  EXPECT_EQ(m.crudini("BackupName", "UseDate"), "0");
}

TEST(MaximumAndKeep, TheCountersKeepTheirRules) {
  PrefsMachine m(WindowsVersion::WinMe);
  for (const char* set : {"A", "B", "C"}) {
    m.write(std::string("C:\\Sets\\") + set + "\\user0.daz", "x");
    m.setSetting("Backup Directories", std::to_string(set[0] - 'A' + 1),
                 std::string("C:\\Sets\\") + set + "\\");
  }
  m.dialog().FormActivate();
  EXPECT_EQ(m.dialog().backupManagerColumn1, "3 Backups");
  m.ui.expect("You have too many Backups", "OK");
  m.dialog().MaximumChange(2);
  EXPECT_EQ(m.values().maxNum, 3);
  m.ui.expect("The Keep value must be less than the Maximum Backups value.", "OK");
  m.dialog().KeepChange(3);
  EXPECT_EQ(m.values().maxNum, 4);
  EXPECT_TRUE(m.ui.finished());
}

}  // namespace
}  // namespace prefs_dialog_test
