// The Other Files list: new names, the refusals, deleting with renumbering
// (every key and the notes move with their entry) and entire-drive entries.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

constexpr const char* kThreeEntries =
    "[MultiFiles0]\r\nFileName=Mail\r\nPath=C:\\Mail\\\r\nFileType0=\"*.dbx\"\r\nCheck1=1\r\n"
    "[MultiFiles0Notes]\r\n0=mail note\r\n"
    "[MultiFiles1]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\"+>*.doc\"\r\n"
    "FileType1=\"-|~*.doc\"\r\nFiles0=\"+C:\\Docs\\a b.txt\"\r\nIncludeSubDirectories=1\r\n"
    "FileType=\"*.rtf\"\r\nSubDirectories=1\r\nCheck1=0\r\nCheck2=1\r\nColour=blue\r\n"
    "[MultiFiles1Notes]\r\n0=first line\r\n1=\"  second line \"\r\n"
    "[MultiFiles2]\r\nFileName=Games\r\nPath=C:\\Games\\\r\nFileType0=\"*.sav\"\r\nCheck1=1\r\n";

TEST(OtherFiles, DeletingEntryZeroMovesEveryKeyAndNoteDown) {
  PrefsMachine m(WindowsVersion::WinMe);
  m.addSettings(kThreeEntries);
  corvasta::TForm8& dialog = m.dialog();
  dialog.FormActivate();
  ASSERT_EQ(m.values().otherFilesNames, (std::vector<std::string>{"Mail", "Docs", "Games"}));
  EXPECT_EQ(m.values().config.otherFilesChecks, (std::vector<int>{1, 0, 1}));

  m.ui.expect("Please select an item from the List", "OK");
  dialog.Button12Click();
  dialog.otherFilesSelection = 0;
  dialog.Button12Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.values().otherFilesNames, (std::vector<std::string>{"Docs", "Games"}));
  EXPECT_EQ(m.values().config.otherFilesChecks, (std::vector<int>{0, 1}));
  EXPECT_TRUE(dialog.applyEnabled);

  // Entry 1 is now entry 0, every key of it; nothing of Mail is left.
  EXPECT_EQ(m.crudini("MultiFiles0", "FileName"), "Docs");
  EXPECT_EQ(m.crudini("MultiFiles0", "FileType0"), "\"+>*.doc\"");
  EXPECT_EQ(m.crudini("MultiFiles0", "FileType1"), "\"-|~*.doc\"");
  EXPECT_EQ(m.crudini("MultiFiles0", "Files0"), "\"+C:\\Docs\\a b.txt\"");
  EXPECT_EQ(m.crudini("MultiFiles0", "FileType"), "\"*.rtf\"");
  EXPECT_EQ(m.crudini("MultiFiles0", "IncludeSubDirectories"), "1");
  EXPECT_EQ(m.crudini("MultiFiles0", "Check2"), "1");
  EXPECT_EQ(m.crudini("MultiFiles0", "Colour"), "blue");
  EXPECT_EQ(m.setting("MultiFiles0", "Check1"), "0");
  EXPECT_EQ(m.setting("MultiFiles0Notes", "0"), "first line");
  EXPECT_EQ(m.setting("MultiFiles0Notes", "1"), "  second line ");
  EXPECT_EQ(m.setting("MultiFiles1", "FileName"), "Games");
  EXPECT_EQ(m.setting("MultiFiles1", "FileType1"), "@");  // Docs' second mask did not stay
  EXPECT_EQ(m.setting("MultiFiles1Notes", "0"), "@");     // Games has no notes
  // The section of the last number is gone.
  EXPECT_EQ(m.settingsText().find("[MultiFiles2]"), std::string::npos);
  EXPECT_EQ(m.settingsText().find("Mail"), std::string::npos);
}

TEST(OtherFiles, TheEntireDriveMenuMakesOneEntryPerDrive) {
  PrefsMachine m(MachineBuilder::sample(WindowsVersion::WinXp).cdromDrive('E', {"disc"}));
  m.addSettings(kThreeEntries);
  corvasta::TForm8& dialog = m.dialog();
  dialog.FormActivate();
  m.ui.expect("En&tire Drive", "C:\\");
  dialog.Drive1Click();
  m.ui.expect("En&tire Drive", "C:\\");
  dialog.Drive1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_NE(std::find(m.ui.transcript.begin(), m.ui.transcript.end(),
                      "Menu [En&tire Drive] A:\\ - 3\xBD Floppy (A:)|C:\\ - WINXP (C:)|D:\\ - "
                      "WXPFPP_EN (D:)|E:\\ - CD Drive (E:) -> C:\\"),
            m.ui.transcript.end())
      << ::testing::PrintToString(m.ui.transcript);
  EXPECT_EQ(m.values().otherFilesNames.back(), "All Files on Drive C");
  EXPECT_EQ(m.values().otherFilesNames.size(), 4u);
  EXPECT_EQ(m.crudini("MultiFiles3", "FileName"), "All Files on Drive C");
  EXPECT_EQ(m.crudini("EntireDrive", "C"), "DriveLetter");
  EXPECT_EQ(m.setting("MultiFiles4", "FileName"), "@");

  // It cannot be edited; nor can nothing.
  dialog.otherFilesSelection = 3;
  m.ui.expect("This item cannot be edited.", "OK");
  dialog.EditClick();
  dialog.otherFilesSelection.reset();
  m.ui.expect("Please select an item from the List", "OK");
  dialog.EditClick();
  EXPECT_TRUE(m.ui.finished());
}

TEST(OtherFiles, NewAndEditOpenTheEditorWithNameAndNumber) {
  PrefsMachine m(WindowsVersion::Win95);
  m.addSettings("[MultiFiles0]\r\nFileName=Backup1\r\n[MultiFiles1]\r\nFileName=backup3\r\n");
  corvasta::TForm8& dialog = m.dialog();
  dialog.FormActivate();
  // Without the editor the program says so.
  m.ui.expect("The Other Files editor is not available in this version of Corvasta.", "OK");
  dialog.NewClick();
  EXPECT_TRUE(m.ui.finished());

  std::vector<std::pair<std::string, int>> opened;
  dialog.OpenOtherFilesEditor = [&](const std::string& name, int index) {
    opened.emplace_back(name, index);
    // The editor writes its entry itself.
    m.setSetting("MultiFiles" + std::to_string(index), "FileName", name);
    m.setSetting("MultiFiles" + std::to_string(index), "Check1", "1");
  };
  dialog.NewClick();
  dialog.otherFilesSelection = 1;
  dialog.EditClick();
  EXPECT_EQ(opened, (std::vector<std::pair<std::string, int>>{{"Backup2", 2}, {"backup3", 1}}));
  EXPECT_EQ(m.values().otherFilesNames,
            (std::vector<std::string>{"Backup1", "backup3", "Backup2"}));
  EXPECT_EQ(m.values().config.otherFilesChecks, (std::vector<int>{0, 0, 1}));
}

}  // namespace
}  // namespace prefs_dialog_test
