// The Size page and FindSizeofZip; the Notes page's keys.
#include <gtest/gtest.h>

#include <filesystem>

#include "backup/OtherFilesSize.h"
#include "tests/otherfiles_editor/editor_rig.h"

using editor_test::EditorRig;

TEST(OtherFilesSizeTest, TotalsAreShownInBytesKilobytesMegabytesAndGigabytes) {
  EXPECT_EQ(corvasta::totalSizeText(999), "999 bytes");
  EXPECT_EQ(corvasta::totalSizeText(1000), "0.98 KB");
  EXPECT_EQ(corvasta::totalSizeText(1048576), "1 MB");
  EXPECT_EQ(corvasta::totalSizeText(1536), "1.5 KB");
  EXPECT_EQ(corvasta::totalSizeText(uint64_t{5} << 32), "20 GB");
  EXPECT_EQ(corvasta::fileCountText(1234567), "1,234,567");
  EXPECT_EQ(corvasta::fileCountText(999), "999");
}

TEST(OtherFilesSizeTest, SizePageCountsTheSelection) {
  EditorRig r;
  r.m.writeFileOfSize("C:\\A\\a.txt", 999);
  r.m.writeFileOfSize("C:\\A\\B\\b.txt", 1);
  r.m.writeFileOfSize("C:\\A\\B\\c.tmp", 1000);
  r.m.writeFileOfSize("C:\\A\\skip.txt", 5000);
  r.m.addSettings(
      "[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFileType0=\">C:\\A\\*.txt\"\r\n"
      "Files0=\"-C:\\A\\skip.txt\"\r\nFiles1=\"+C:\\A\\B\\c.tmp\"\r\n");
  r.open("A", 0, 1);
  r.editor->FindSizeClick();
  EXPECT_EQ(r.editor->page, corvasta::OtherFilesPage::Size);
  EXPECT_EQ(r.editor->sizeStatus, "Finished - Please see results below.");
  EXPECT_EQ(r.editor->numberOfFiles, "3");
  EXPECT_EQ(r.editor->uncompressedSize, "1.95 KB");
  EXPECT_FALSE(r.m.ui.busyCursor);
}

TEST(OtherFilesSizeTest, AThreeGigabyteFileIsCountedButNotAdded) {
  EditorRig r;
  r.m.writeFileOfSize("C:\\BIG\\small.dat", 10);
  r.m.writeOnHost("C:\\BIG\\huge.dat", "");
  std::filesystem::resize_file(r.m.host("C:\\BIG\\huge.dat"), uint64_t{3} << 30);
  r.m.addSettings(
      "[MultiFiles0]\r\nFileName=Big\r\nPath=C:\\BIG\\\r\nFileType0=\">C:\\BIG\\*\"\r\n");
  r.open("Big", 0, 1);
  r.m.ui.expect(
      "C:\\BIG\\huge.dat is too big to add to the total size.  It may also cause "
      "problems in backup.",
      "OK");
  r.editor->FindSizeClick();
  EXPECT_EQ(r.editor->numberOfFiles, "2");
  EXPECT_EQ(r.editor->uncompressedSize, "10 bytes");
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesSizeTest, ThisFolderOnlyAndBackslashExclusions) {
  EditorRig r;
  r.m.writeFileOfSize("C:\\A\\a.txt", 10);
  r.m.writeFileOfSize("C:\\A\\B\\b.txt", 20);
  r.m.writeFileOfSize("C:\\A\\B\\c.txt", 40);
  corvasta::SizeScan scan{r.m.form->core.env.files, r.m.ui, false, nullptr};
  const auto only = corvasta::FindSizeofZip(scan, {"|C:\\A\\*.txt"}, {}, {});
  EXPECT_EQ(only.files, 1u);
  const auto below = corvasta::FindSizeofZip(scan, {">C:\\A\\*.txt"}, {}, {"\\C:\\A\\B\\c.txt"});
  EXPECT_EQ(below.files, 2u);
  EXPECT_EQ(below.bytes, 30u);
  // An unmarked entry follows "Include subdirectories"; one reached twice counts twice.
  scan.subDirectories = true;
  const auto twice = corvasta::FindSizeofZip(scan, {"C:\\A\\*.txt"}, {"+C:\\A\\a.txt"}, {});
  EXPECT_EQ(twice.files, 4u);
  EXPECT_EQ(twice.bytes, 80u);
}

TEST(OtherFilesNotesTest, NotesAreNumberedKeysAndTheOlderKeyGoesOnlyWhenSaved) {
  EditorRig r;
  r.m.addSettings("[MultiFiles0]\r\nFileName=A\r\nNotes=old line\r\n");
  r.open("A", 0, 1);
  r.editor->NotesClick();
  EXPECT_EQ(r.editor->Memo1, "old line");
  r.editor->NotesCancelClick();
  EXPECT_EQ(r.m.setting("MultiFiles0", "Notes"), "old line");

  r.editor->NotesClick();
  r.editor->NotesOKClick();
  EXPECT_EQ(r.m.setting("MultiFiles0", "Notes"), "@");
  EXPECT_EQ(r.m.setting("MultiFiles0Notes", "0"), "old line");

  r.editor->NotesClick();
  EXPECT_EQ(r.editor->Memo1, "old line");
  r.editor->Memo1 = "first\r\nsecond";
  r.editor->NotesOKClick();
  EXPECT_EQ(r.m.setting("MultiFiles0Notes", "0"), "first");
  EXPECT_EQ(r.m.setting("MultiFiles0Notes", "1"), "second");
  EXPECT_EQ(r.editor->page, corvasta::OtherFilesPage::Main);
}

TEST(OtherFilesNotesTest, AnEmptiedFieldRemovesTheNotes) {
  EditorRig r;
  r.m.addSettings("[MultiFiles0]\r\nFileName=A\r\n[MultiFiles0Notes]\r\n0=to go\r\n");
  r.open("A", 0, 1);
  r.editor->NotesClick();
  EXPECT_EQ(r.editor->Memo1, "to go");
  r.editor->Memo1.clear();
  r.editor->NotesOKClick();
  EXPECT_EQ(r.m.setting("MultiFiles0Notes", "0"), "@");
}
