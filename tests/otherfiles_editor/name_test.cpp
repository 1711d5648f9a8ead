// The name field and OK's checks: refused characters, duplicate and
// reserved names, and an empty selection.
#include <gtest/gtest.h>

#include "tests/otherfiles_editor/editor_rig.h"

using editor_test::EditorRig;

namespace {

constexpr const char* kInvalid = "Invalid Character in FileName (\\,/,:,*,?,\",<,>,|)";

// An editor on a new entry with one file ticked, so that only the name decides.
void withTickedFile(EditorRig& r, size_t entries) {
  r.m.write("C:\\A\\one.txt", "1");
  r.open("", static_cast<int>(entries), entries);
  r.go("C:\\A\\");
  r.tick("one.txt");
}

}  // namespace

TEST(OtherFilesNameTest, TypedCharactersAreRefusedAtOnceButTheAsteriskOnlyAtOK) {
  EditorRig r;
  withTickedFile(r, 0);
  r.m.ui.expect(": is not a valid character.", "OK");
  EXPECT_FALSE(r.editor->Edit1KeyPress(':'));
  for (char refused : std::string("\"/<>?\\|")) {
    r.m.ui.expect(std::string(1, refused) + " is not a valid character.", "OK");
    EXPECT_FALSE(r.editor->Edit1KeyPress(refused)) << refused;
  }
  EXPECT_TRUE(r.editor->Edit1KeyPress('*'));
  EXPECT_TRUE(r.editor->Edit1KeyPress('a'));
  r.editor->Edit1 = "My*Data";
  r.m.ui.expect(kInvalid, "OK");
  EXPECT_FALSE(r.editor->Button1Click());
  EXPECT_EQ(r.m.setting("MultiFiles0", "FileName"), "@");
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesNameTest, PastedControlCharactersAreRefusedByOK) {
  EditorRig r;
  withTickedFile(r, 0);
  r.editor->Edit1 = std::string("Da\tta");
  r.m.ui.expect(kInvalid, "OK");
  EXPECT_FALSE(r.editor->Button1Click());
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesNameTest, EmptyNameAndEmptySelectionAreRefusedInOrder) {
  EditorRig r;
  r.open("", 0, 0);
  r.m.ui.expect("A Filename has not been entered.  Please enter one.", "OK");
  EXPECT_FALSE(r.editor->Button1Click());
  r.editor->Edit1 = "Docs";
  r.m.ui.expect("Nothing is selected to Backup.  You must either select a File Type", "OK");
  EXPECT_FALSE(r.editor->Button1Click());
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesNameTest, NamesAreComparedWithoutCaseAlsoWhenRenaming) {
  EditorRig r;
  r.m.addSettings("[MultiFiles0]\r\nFileName=DATA\r\n[MultiFiles1]\r\nFileName=Mail\r\n");
  withTickedFile(r, 2);
  r.editor->Edit1 = "data";
  r.m.ui.expect("data is already used as a Filename.  Please type in another Filename.", "OK");
  EXPECT_FALSE(r.editor->Button1Click());

  // Entry 1 renamed to entry 0's name: refused; keeping its own name is fine.
  r.open("Mail", 1, 2);
  r.go("C:\\A\\");
  r.tick("one.txt");
  r.editor->Edit1 = "Data";
  r.m.ui.expect("Data is already used as a Filename.", "OK");
  EXPECT_FALSE(r.editor->Button1Click());
  r.editor->Edit1 = "MAIL";
  EXPECT_TRUE(r.editor->Button1Click());
  EXPECT_EQ(r.m.setting("MultiFiles1", "FileName"), "MAIL");
  EXPECT_EQ(r.m.form->core.Form8.otherFilesNames[1], "MAIL");
  EXPECT_TRUE(r.m.ui.finished());
}

TEST(OtherFilesNameTest, TheSetsOwnArchiveNamesAreRefused) {
  EditorRig r;
  withTickedFile(r, 0);
  for (const char* reserved : {"desktop", "CtrlPanl", "registry", "appdata", "desktop1"}) {
    r.editor->Edit1 = reserved;
    r.m.ui.expect(std::string(reserved) + " is already used as a Filename.", "OK");
    EXPECT_FALSE(r.editor->Button1Click()) << reserved;
  }
  r.editor->Edit1 = "desktops";
  EXPECT_TRUE(r.editor->Button1Click());
  EXPECT_TRUE(r.m.ui.finished());
}
