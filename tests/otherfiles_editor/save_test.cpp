// OK's save: the section as the backup run reads it, the other configs'
// check marks kept, and an entry built here backed up with exactly the
// files ticked.
#include <gtest/gtest.h>

#include <chrono>

#include "archive/zip_scope.h"
#include "backup/Backup.h"
#include "tests/backup_archiving/archiving_run.h"
#include "tests/otherfiles_editor/editor_rig.h"

using editor_test::EditorRig;
using Strings = std::vector<std::string>;

namespace {

void buildDocs(EditorRig& r) {
  r.m.write("C:\\DATA\\a.txt", "alpha");
  r.m.write("C:\\DATA\\b.doc", "bravo");
  r.m.write("C:\\DATA\\drop.txt", "unticked");
  r.m.write("C:\\DATA\\SUB\\c.txt", "charlie");
  r.m.write("C:\\DATA\\SUB\\d.tmp", "delta");
  r.open("", 0, 0);
  r.editor->Edit1 = "Docs";
  r.go("C:\\DATA\\");
  r.editor->TypeButtonClick(r.button("*.txt"), true);
  r.tick("drop.txt");
  r.go("C:\\DATA\\SUB\\");
  r.tick("d.tmp");
}

}  // namespace

TEST(OtherFilesSaveTest, TheSectionHoldsQuotedNumberedValuesAndKeepsEveryConfigsCheck) {
  EditorRig r;
  r.m.addSettings("[MultiFiles0]\r\nFileName=Old\r\nCheck1=1\r\nCheck3=1\r\nFileType=*.x\r\n");
  buildDocs(r);
  r.editor->EntryNumber = 0;
  r.m.form->core.Form8.otherFilesNames = {"Old"};
  r.editor->lists.excludes.push_back(">C:\\DATA\\*.bak");
  ASSERT_TRUE(r.editor->Button1Click());
  const std::string text = r.m.settingsText();
  EXPECT_NE(text.find("FileType0=\">C:\\DATA\\*.txt\""), std::string::npos) << text;
  EXPECT_NE(text.find("FileType1=\"->C:\\DATA\\*.bak\""), std::string::npos) << text;
  EXPECT_NE(text.find("Files0=\"-C:\\DATA\\drop.txt\""), std::string::npos) << text;
  EXPECT_NE(text.find("Files1=\"+C:\\DATA\\SUB\\d.tmp\""), std::string::npos) << text;
  EXPECT_EQ(r.m.setting("MultiFiles0", "FileName"), "Docs");
  EXPECT_EQ(r.m.setting("MultiFiles0", "Path"), "C:\\DATA\\SUB\\");
  EXPECT_EQ(r.m.setting("MultiFiles0", "Check1"), "1");
  EXPECT_EQ(r.m.setting("MultiFiles0", "Check3"), "1");
  EXPECT_EQ(r.m.setting("MultiFiles0", "FileType"), "@");
  EXPECT_EQ(r.m.form->core.Form8.otherFilesNames, Strings{"Docs"});
  EXPECT_TRUE(r.editor->closed);
  // crudini, another reader of INI files, sees the same section.
  if (testing_support::haveProgram("crudini")) {
    const testing_support::CommandResult read = testing_support::runCommand(
        "crudini --get '" + r.m.host(r.m.programDir() + "vastel.ini").string() +
        "' MultiFiles0 Files1");
    EXPECT_EQ(read.output, "\"+C:\\DATA\\SUB\\d.tmp\"\n");
  }
}

TEST(OtherFilesSaveTest, CancelWritesNothing) {
  EditorRig r;
  buildDocs(r);
  r.editor->CancelClick();
  EXPECT_TRUE(r.editor->closed);
  EXPECT_EQ(r.m.setting("MultiFiles0", "FileName"), "@");
  EXPECT_TRUE(r.m.form->core.Form8.otherFilesNames.empty());
}

TEST(OtherFilesSaveTest, AnEntryBuiltInTheEditorArchivesExactlyTheTickedFiles) {
  EditorRig r{archiving_test::inBackup(testing_support::MachineBuilder())};
  buildDocs(r);
  ASSERT_TRUE(r.editor->Button1Click());
  r.m.form->backup.items.BackupOtherFilesEntry(0, 1);
  std::vector<std::string> entries = r.m.entries(r.m.setDir + "Docs.zip");
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (Strings{"C:\\DATA\\A.TXT", "C:\\DATA\\SUB\\C.TXT", "C:\\DATA\\SUB\\D.TMP"}));
}

TEST(OtherFilesSaveTest, CopyModeSizesTheWholeTreeBelowItsEntries) {
  EditorRig r{archiving_test::inBackup(testing_support::MachineBuilder())};
  buildDocs(r);
  ASSERT_TRUE(r.editor->Button1Click());
  r.m.form->core.Zip1.PackLevel = 0;
  r.m.form->backup.items.BackupOtherFilesEntry(0, 1);
  EXPECT_TRUE(r.m.exists(r.m.setDir + "C\\DATA\\SUB\\c.txt"));
  EXPECT_FALSE(r.m.exists(r.m.setDir + "C\\DATA\\drop.txt"));
  EXPECT_EQ(r.m.form->core.Form4.view.item, 100);
}

TEST(OtherFilesScopeTest, TheScopeRuleByFolder) {
  EXPECT_TRUE(archive::scopeMatches(">C:\\DATA\\*.doc", "C:\\X\\", "C:\\DATA\\LETTERS\\A.DOC"));
  EXPECT_TRUE(archive::scopeMatches("|C:\\DATA\\*.doc", "c:\\data\\", "C:\\DATA\\A.DOC"));
  EXPECT_FALSE(archive::scopeMatches("|C:\\DATA\\*.doc", "C:\\DATA\\L\\", "C:\\DATA\\L\\A.DOC"));
  EXPECT_FALSE(archive::scopeMatches("\\C:\\DATA\\*", "C:\\DATA\\L\\", "C:\\DATA\\L\\A", "|\\"));
  EXPECT_TRUE(archive::scopeMatches("C:\\*\\*.ini", "C:\\A\\", "C:\\A\\B\\x.INI"));
}

TEST(OtherFilesScopeTest, LongMasksOfManyStarsStayFast) {
  std::string mask = ">C:\\";
  for (int i = 0; i < 2000; ++i) mask += "*a";
  mask += "b";
  const std::string path = "C:\\" + std::string(20000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(archive::scopeMatches(mask, "C:\\", path));
  EXPECT_TRUE(archive::scopeMatches(mask.substr(0, mask.size() - 1), "C:\\", path));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}
