// Ticks and file-type buttons: only differences from the masks are kept in
// the chosen-files list; type buttons add inclusions and exclusions by
// folder, and a parent's exclusion blocks them.
#include <gtest/gtest.h>

#include "tests/otherfiles_editor/editor_rig.h"

using editor_test::EditorRig;
using Strings = std::vector<std::string>;

TEST(OtherFilesSelectionTest, UntickReTickAndTickUncoveredStoreOnlyDifferences) {
  EditorRig r;
  r.m.write("C:\\A\\one.txt", "1");
  r.m.write("C:\\A\\two.bin", "2");
  r.m.addSettings("[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFileType0=\">C:\\A\\*.txt\"\r\n");
  r.open("A", 0, 1);
  ASSERT_NE(r.item("one.txt"), nullptr);
  EXPECT_TRUE(r.item("one.txt")->checked);
  EXPECT_FALSE(r.item("two.bin")->checked);

  r.tick("one.txt");
  r.editor->StoreChecks();
  EXPECT_EQ(r.editor->lists.files, Strings{"-C:\\A\\one.txt"});
  r.tick("one.txt");
  r.editor->StoreChecks();
  EXPECT_EQ(r.editor->lists.files, Strings{});
  r.tick("two.bin");
  r.editor->StoreChecks();
  EXPECT_EQ(r.editor->lists.files, Strings{"+C:\\A\\two.bin"});
  // Unticking the extra file again leaves nothing behind.
  r.tick("two.bin");
  r.editor->StoreChecks();
  EXPECT_EQ(r.editor->lists.files, Strings{});
}

TEST(OtherFilesSelectionTest, AnExcludedFileCannotBeTicked) {
  EditorRig r;
  r.m.write("C:\\A\\keep.tmp", "t");
  r.m.addSettings(
      "[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFileType0=\">C:\\A\\*\"\r\n"
      "FileType1=\"->C:\\A\\*.tmp\"\r\n");
  r.open("A", 0, 1);
  EXPECT_FALSE(r.item("keep.tmp")->checked);
  r.m.ui.expect("This File is in the Exclude List.  It cannot be checked.", "OK");
  r.tick("keep.tmp");
  EXPECT_FALSE(r.item("keep.tmp")->checked);
  // Outside the tick zone a click changes nothing.
  r.editor->FileItemClick(r.indexOf("keep.tmp"), 40, 96);
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesSelectionTest, ATickedFileDeletedFromDiskIsDropped) {
  EditorRig r;
  r.m.write("C:\\A\\gone.txt", "x");
  r.m.addSettings(
      "[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFiles0=\"+C:\\A\\gone.txt\"\r\n"
      "Files1=\"+C:\\B\\other.txt\"\r\n");
  r.open("A", 0, 1);
  EXPECT_TRUE(r.item("gone.txt")->checked);
  r.m.form->core.env.files.deleteFile("C:\\A\\gone.txt");
  r.editor->RefreshClick();
  EXPECT_EQ(r.editor->lists.files, Strings{"+C:\\B\\other.txt"});
}

TEST(OtherFilesSelectionTest, ProgramFilesInAThenReleasedInB) {
  EditorRig r;
  r.m.write("C:\\A\\run.exe", "e");
  r.m.write("C:\\A\\B\\tool.exe", "e");
  r.open("", 0, 0);
  r.go("C:\\A\\");
  const size_t exe = r.button("*.exe");
  r.editor->TypeButtonClick(exe, true);
  EXPECT_EQ(r.editor->lists.includes, Strings{">C:\\A\\*.exe"});
  EXPECT_TRUE(r.item("run.exe")->checked);
  r.go("C:\\A\\B\\");
  EXPECT_TRUE(r.editor->typeDown[exe]);
  EXPECT_FALSE(r.editor->typeDown[0]);
  EXPECT_TRUE(r.item("tool.exe")->checked);
  r.editor->TypeButtonClick(exe, false);
  EXPECT_EQ(r.editor->lists.excludes, Strings{">C:\\A\\B\\*.exe"});
  EXPECT_FALSE(r.item("tool.exe")->checked);

  // Back in C:\A\, releasing the button that added the inclusion removes it
  // and adds no exclusion, so a subfolder can still take the type.
  r.go("C:\\A\\");
  r.editor->TypeButtonClick(exe, false);
  EXPECT_EQ(r.editor->lists.includes, Strings{});
  EXPECT_EQ(r.editor->lists.excludes, Strings{">C:\\A\\B\\*.exe"});
}

TEST(OtherFilesSelectionTest, AParentExclusionBlocksTheTypeBelow) {
  EditorRig r;
  r.folder("C:\\A\\B");
  r.m.addSettings(
      "[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\B\\\r\nFileType0=\">C:\\A\\*\"\r\n"
      "FileType1=\"->C:\\A\\*.tmp\"\r\n");
  r.open("A", 0, 1);
  const size_t tmp = r.button("*.tmp");
  r.m.ui.expect(
      "This File Type can't be included in this directory because a Parent Directory "
      "has already excluded it.",
      "OK");
  r.editor->TypeButtonClick(tmp, true);
  EXPECT_FALSE(r.editor->typeDown[tmp]);
  EXPECT_EQ(r.editor->lists.includes, Strings{">C:\\A\\*"});
  EXPECT_EQ(r.editor->lists.excludes, Strings{">C:\\A\\*.tmp"});
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesSelectionTest, ThisFolderOnlyEntriesClearIncludeSubdirectories) {
  EditorRig r;
  r.folder("C:\\A");
  r.m.addSettings("[MultiFiles0]\r\nFileName=A\r\nPath=C:\\A\\\r\nFileType0=\"|C:\\A\\*.txt\"\r\n");
  r.open("A", 0, 1);
  EXPECT_TRUE(r.editor->typeDown[r.button("*.txt")]);
  EXPECT_FALSE(r.editor->IncludeSubdirectories);
  r.go("C:\\");
  EXPECT_FALSE(r.editor->typeDown[r.button("*.txt")]);
  EXPECT_TRUE(r.editor->IncludeSubdirectories);
}

TEST(OtherFilesSelectionTest, MorePageAddsTheMaskBetweenParentheses) {
  EditorRig r;
  r.folder("C:\\A");
  r.open("", 0, 0);
  r.go("C:\\A\\");
  EXPECT_FALSE(r.editor->includeExcludeEnabled());
  r.editor->ComboText = "Web Pages (*.html)";
  r.editor->IncludeClick();
  r.editor->MoreIncludeSubdirectories = false;
  r.editor->ComboText = "~*";
  r.editor->ExcludeClick();
  EXPECT_EQ(r.editor->lists.includes, Strings{">C:\\A\\*.html"});
  EXPECT_EQ(r.editor->lists.excludes, Strings{"|C:\\A\\~*"});
  EXPECT_EQ(r.editor->ComboText, "Choose or Type in Entry");
  EXPECT_EQ(r.editor->dirLabel, "C:\\A\\");
  r.editor->includeSelected = 0;
  r.editor->DeleteIncludeClick();
  EXPECT_EQ(r.editor->lists.includes, Strings{});
  EXPECT_EQ(corvasta::moreFileGroups().size(), 20u);
}
