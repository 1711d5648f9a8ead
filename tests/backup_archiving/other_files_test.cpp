// Other Files entries: masks, exclusions and ticked files decide what goes
// into the entry's archive (or its copies at pack level 0), and the note
// lands beside it; the Control Panel group; failures end the run with the
// archive named.
#include <gtest/gtest.h>

#include <algorithm>

#include "backup/OtherFilesEntry.h"
#include "platform/core/errors.h"
#include "tests/backup_archiving/archiving_run.h"

using archiving_test::countOf;
using archiving_test::inBackup;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

namespace {

// A Docs entry: the *.txt files of C:\DATA and below (the mask taken in the
// entry's folder), except those of C:\DATA\SKIP; C:\DATA\unticked.txt
// unticked, C:\OTHER\extra.bin ticked; a note of two lines.
constexpr const char* kDocsEntry =
    "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\DATA\\\r\nFileType0=\">*.txt\"\r\n"
    "FileType1=\"->C:\\DATA\\SKIP\\*\"\r\nFiles0=\"-C:\\DATA\\unticked.txt\"\r\n"
    "Files1=\"+C:\\OTHER\\extra.bin\"\r\nSubDirectories=1\r\nCheck1=1\r\n"
    "[MultiFiles0Notes]\r\n0=Letters and lists\r\n1=from the study\r\n";

void writeDocsTree(TestProgram& m) {
  m.write("C:\\DATA\\a.txt", "alpha");
  m.write("C:\\DATA\\b.doc", "not a text file");
  m.write("C:\\DATA\\unticked.txt", "left out by hand");
  m.write("C:\\DATA\\SUB\\c.txt", "below");
  m.write("C:\\DATA\\SKIP\\d.txt", "excluded folder");
  m.write("C:\\OTHER\\extra.bin", "ticked by hand");
  m.write("C:\\OTHER\\SUB\\extra.bin", "same name, not ticked");
}

}  // namespace

TEST(OtherFilesTest, EntryArchiveFollowsMasksExclusionsAndTicks) {
  TestProgram m{inBackup(MachineBuilder())};
  writeDocsTree(m);
  m.addSettings(kDocsEntry);

  m.form->backup.items.BackupOtherFilesEntry(0, 2);

  std::vector<std::string> entries = m.entries(m.setDir + "Docs.zip");
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"C:\\DATA\\A.TXT", "C:\\DATA\\SUB\\C.TXT",
                                               "C:\\OTHER\\EXTRA.BIN"}));
  EXPECT_EQ(m.read(m.setDir + "Docs-Notes.txt"), "Letters and lists\r\nfrom the study\r\n");
  EXPECT_EQ(m.form->core.Form4.view.status, "Producing Docs.zip");
  EXPECT_EQ(m.form->core.Form4.view.overall, 2);
  EXPECT_FALSE(m.form->core.Zip1.Recurse);
}

TEST(OtherFilesTest, CopyModeCopiesTheSameFilesAsATree) {
  TestProgram m{inBackup(MachineBuilder())};
  writeDocsTree(m);
  m.addSettings(kDocsEntry);
  m.form->core.Zip1.PackLevel = 0;

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  EXPECT_FALSE(m.exists(m.setDir + "Docs.zip"));
  EXPECT_EQ(m.read(m.setDir + "C\\DATA\\a.txt"), "alpha");
  EXPECT_TRUE(m.exists(m.setDir + "C\\DATA\\SUB\\c.txt"));
  EXPECT_EQ(m.read(m.setDir + "C\\OTHER\\extra.bin"), "ticked by hand");
  for (const char* absent : {"C\\DATA\\b.doc", "C\\DATA\\unticked.txt", "C\\DATA\\SKIP\\d.txt",
                             "C\\OTHER\\SUB\\extra.bin"})
    EXPECT_FALSE(m.exists(m.setDir + absent)) << absent;
  EXPECT_TRUE(std::any_of(
      m.ui.progressHistory.begin(), m.ui.progressHistory.end(),
      [](const corvasta::ProgressView& view) { return view.status == "Backing up Docs Files"; }));
}

TEST(OtherFilesTest, OlderOneLineNoteIsWrittenAsItStands) {
  TestProgram m{inBackup(MachineBuilder())};
  m.write("C:\\DATA\\a.txt", "alpha");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Old\r\nPath=C:\\DATA\\\r\nFileType=*.txt\r\nNotes=Kept "
      "as is\r\n[MultiFiles1]\r\nFileName=Quiet\r\nFileType0=C:\\DATA\\*.txt\r\n");

  m.form->backup.items.BackupOtherFilesEntry(0, 1);
  m.form->backup.items.BackupOtherFilesEntry(1, 1);

  EXPECT_EQ(m.entries(m.setDir + "Old.zip"), std::vector<std::string>{"C:\\DATA\\A.TXT"});
  EXPECT_EQ(m.read(m.setDir + "Old-Notes.txt"), "Kept as is");
  EXPECT_TRUE(m.exists(m.setDir + "Quiet.zip"));
  EXPECT_FALSE(m.exists(m.setDir + "Quiet-Notes.txt"));
}

TEST(OtherFilesTest, ReadOnlyHiddenSourceKeepsAttributesAndTimesInCopyMode) {
  TestProgram m{inBackup(MachineBuilder())};
  m.write("C:\\DATA\\secret.txt", "hidden text");
  const platform::FileTime written{125911584000000000ULL};
  const platform::FileTime created{125000000000000000ULL};
  m.files->setFileTime("C:\\DATA\\secret.txt", created, written, written);
  const uint32_t attributes =
      platform::kAttributeReadOnly | platform::kAttributeHidden | platform::kAttributeArchive;
  m.files->setFileAttributes("C:\\DATA\\secret.txt", attributes);
  m.addSettings("[MultiFiles0]\r\nFileName=Secret\r\nFileType0=\">C:\\DATA\\*.txt\"\r\n");
  m.form->core.Zip1.PackLevel = 0;

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  const std::string copy = m.setDir + "C\\DATA\\secret.txt";
  ASSERT_TRUE(m.exists(copy));
  EXPECT_EQ(m.read(copy), "hidden text");
  EXPECT_EQ(m.files->getFileAttributes(copy) & platform::kSettableAttributes, attributes);
  const platform::FileTimes times = m.files->getFileTime(copy);
  EXPECT_EQ(times.creation.value, created.value);
  EXPECT_EQ(times.lastWrite.value, written.value);
  EXPECT_EQ(m.files->getFileAttributes("C:\\DATA\\secret.txt") & platform::kSettableAttributes,
            attributes);
}

TEST(OtherFilesTest, FailureRecordsTheArchiveAndEndsTheRun) {
  TestProgram m{inBackup(MachineBuilder().fixedDrive('E', 4096))};
  std::string big;
  for (int i = 0; i < 4000; ++i) big += std::to_string(i * 7919 % 104729) + ",";
  m.write("C:\\DATA\\big.csv", big);
  m.addSettings("[MultiFiles0]\r\nFileName=Big\r\nFileType0=\">C:\\DATA\\*.csv\"\r\n");
  m.form->core.backupRun.backupSetDir = "E:\\SET\\";
  m.form->core.createDirectories("E:\\SET");

  EXPECT_THROW(m.form->backup.items.BackupOtherFilesEntry(0, 1), corvasta::Error);

  EXPECT_TRUE(m.form->core.ErrorFlag);
  ASSERT_FALSE(m.form->core.ErrorList.empty());
  EXPECT_EQ(m.form->core.ErrorList.back(), "E:\\SET\\Big.zip");
}

TEST(OtherFilesTest, EntryNameThatWouldLeaveTheSetIsReported) {
  TestProgram m{inBackup(MachineBuilder())};
  m.write("C:\\DATA\\a.txt", "alpha");
  m.addSettings("[MultiFiles0]\r\nFileName=..\\..\\Escape\r\nFileType0=C:\\DATA\\*.txt\r\n");

  m.form->backup.items.BackupOtherFilesEntry(0, 1);

  EXPECT_TRUE(m.form->core.ErrorFlag);
  EXPECT_FALSE(m.exists("C:\\Escape.zip"));
  EXPECT_EQ(m.form->core.Form4.view.overall, 1);
}

TEST(OtherFilesTest, ControlPanelGroupTakesAppletsSettingsAndProgramOnly) {
  TestProgram m{inBackup(MachineBuilder())};
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string system = m.form->core.loc.systemDir;
  m.write(system + "desk.cpl", "applet");
  m.write(system + "main.cpl", "applet");
  m.write(system + "VMM32\\hidden.cpl", "below the System directory");
  m.write(windows + "control.ini", "[current]");
  m.write(windows + "control.exe", "program");
  m.write(windows + "COMMAND\\control.ini", "another one");

  m.form->backup.items.BackupControlPanel(3);

  std::vector<std::string> entries = m.entries(m.setDir + "ctrlpanl.zip");
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> expected{
      platform::ansiUpper(system + "desk.cpl"), platform::ansiUpper(system + "main.cpl"),
      platform::ansiUpper(windows + "control.exe"), platform::ansiUpper(windows + "control.ini")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries, expected);
  EXPECT_EQ(m.form->core.Form4.view.overall, 3);

  // Copy mode takes the same files, without the System directory's subfolders.
  m.form->core.Zip1.PackLevel = 0;
  m.form->backup.items.BackupControlPanel(0);
  const std::string systemInSet = m.setDir + "C" + system.substr(2);
  EXPECT_TRUE(m.exists(systemInSet + "desk.cpl"));
  EXPECT_FALSE(m.exists(systemInSet + "VMM32\\hidden.cpl"));
  EXPECT_FALSE(m.exists(m.setDir + "C" + windows.substr(2) + "COMMAND\\control.ini"));
}

TEST(OtherFilesRulesTest, MasksTakeTheEntryFolderAfterTheirModeCharacter) {
  corvasta::OtherFilesEntry entry;
  entry.path = "C:\\WORK\\current.txt";
  entry.fileType = "*.old";
  entry.fileTypes = {">*.doc", "|C:\\MAIL\\*.eml", "-|*.tmp", "-", "", "*.xls"};
  entry.files = {"+C:\\A\\one.txt", "-C:\\B\\two.txt", "+"};
  const corvasta::OtherFilesSelection selection = corvasta::otherFilesSelection(entry);
  EXPECT_EQ(selection.filesList,
            (std::vector<std::string>{"C:\\WORK\\*.old", ">C:\\WORK\\*.doc", "|C:\\MAIL\\*.eml",
                                      "C:\\WORK\\*.xls", "|C:\\A\\one.txt"}));
  EXPECT_EQ(selection.excludeList,
            (std::vector<std::string>{"|C:\\WORK\\*.tmp", "C:\\B\\two.txt"}));
}

TEST(OtherFilesRulesTest, EntireDriveEntriesNameTheirDriveLast) {
  EXPECT_EQ(corvasta::entireDriveLetter("All Files on Drive D"), 'D');
  EXPECT_EQ(corvasta::entireDriveLetter("All Files on Drive c"), 'C');
  EXPECT_EQ(corvasta::entireDriveLetter("All Files on Drive 1"), std::nullopt);
  EXPECT_EQ(corvasta::entireDriveLetter("Drive D"), std::nullopt);
}
