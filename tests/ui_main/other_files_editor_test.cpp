// The Other Files editor's view on the ME and XP samples, opened from the
// Preferences dialog's "&New" and "&Edit" through the main window: the
// entry built with the tree, the ticks, a type button and the More page is
// saved (crudini reads it) and backed up by `corvasta --console schedule`
// with exactly the files the list showed ticked, as an archive and as a
// copied tree; Cancel writes nothing; the Size and Notes pages; pictures.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <set>

#include "backup/Unit11.h"
#include "backup/model/BackupTypes.h"
#include "tests/support/backup_config_settings.h"
#include "tests/ui_main/other_files_editor_rig.h"
#include "tests/ui_support/screenshot.h"
#include "ui/OtherFilesEditor.h"
#include "ui/PreferencesDialog.h"

namespace ui_main_test {
namespace {

using corvasta::OtherFilesEditor;
using corvasta::PreferencesDialog;
using platform::WindowsVersion;
using testing_support::haveProgram;
using testing_support::runCommand;
using testing_support::runProgram;

struct SampleCase {
  WindowsVersion version;
  int windowsMode;
  const char* name;
};

class OtherFilesEditorView : public ::testing::TestWithParam<SampleCase> {
 protected:
  OtherFilesEditorView() : w(GetParam().version, GetParam().windowsMode) {}
  bool pictured() const { return GetParam().windowsMode == 3; }
  EditorWindow w;
};

QString shownPage(OtherFilesEditor& editor) {
  return child<QStackedWidget>(editor, "pages")->currentWidget()->objectName();
}

QStringList listTexts(OtherFilesEditor& editor, const char* name) {
  QStringList texts;
  auto* list = child<QListWidget>(editor, name);
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

bool typeDown(OtherFilesEditor& editor, int button) {
  return child<QAbstractButton>(editor, ("typeButton" + std::to_string(button)).c_str())
      ->isChecked();
}

void chooseGroup(OtherFilesEditor& editor, const QString& text) {
  QLineEdit* field = child<QComboBox>(editor, "groupsCombo")->lineEdit();
  field->selectAll();
  QTest::keyClicks(field, text);
}

// Sorted lines of a command's output, in lower case.
std::vector<std::string> lowerLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

void writeDataTree(MainWindowMachine& m) {
  m.write("C:\\DATA\\a.txt", "alpha");
  m.write("C:\\DATA\\b.txt", "bravo");
  m.write("C:\\DATA\\c.doc", "charlie");
  m.write("C:\\DATA\\prog.exe", "program");
  m.write("C:\\DATA\\notes.tmp", "scratch");
  m.write("C:\\DATA\\SUB\\d.txt", "delta");
  m.write("C:\\DATA\\SUB\\e.tmp", "excluded");
  m.write("C:\\DATA\\SUB\\f.bin", "not selected");
}

TEST_P(OtherFilesEditorView, ANewEntryBuiltInTheViewIsSavedAndBackedUpAsTheListShowed) {
  MainWindowMachine& m = w.m;
  writeDataTree(m);
  testing_support::writeConfig(m, 1, "C:\\Backups", 3, corvasta::kFullBackup, {});
  testing_support::writeConfig(m, 2, "C:\\Copies", 0, corvasta::kFullBackup, {});
  // What the list showed ticked in each folder, as the backup must hold it.
  std::set<std::string> shown;
  int index = -1;
  QStringList listed;

  ASSERT_TRUE(w.inPreferences([&](PreferencesDialog& preferences) {
    index = static_cast<int>(preferencesList(preferences).size());
    ASSERT_TRUE(w.inEditor(preferences, "newOtherButton", [&](OtherFilesEditor& editor) {
      corvasta::TForm11& form = editor.form();
      EXPECT_EQ(editor.windowTitle(), "Files to Backup");
      EXPECT_EQ(shownPage(editor), "mainPage");
      EXPECT_EQ(form.EntryNumber, index);
      EXPECT_EQ(child<QLineEdit>(editor, "nameField")->text(), "Backup1");

      typeName(editor, "Do:cs");
      EXPECT_EQ(w.messages.value(0), ": is not a valid character.");
      EXPECT_EQ(child<QLineEdit>(editor, "nameField")->text(), "Docs");
      EXPECT_EQ(form.Edit1, "Docs");

      chooseFolder(editor, {"DATA"});
      EXPECT_EQ(form.folder(), "C:\\DATA\\");
      clickButton(editor, "typeButton2");  // "Text Files (*.txt)"
      EXPECT_TRUE(typeDown(editor, 2));
      EXPECT_EQ(form.lists.includes, std::vector<std::string>{">C:\\DATA\\*.txt"});
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "b.txt"}));

      // Untick, re-tick and untick again; tick a file no mask covers.
      clickTick(editor, "b.txt");
      EXPECT_EQ(shownTicked(editor), QStringList{"a.txt"});
      clickTick(editor, "b.txt");
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "b.txt"}));
      clickTick(editor, "b.txt");
      clickTick(editor, "c.doc");
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "c.doc"}));

      // The More page: an entry of the combo included, a typed one excluded.
      clickButton(editor, "moreButton");
      EXPECT_EQ(shownPage(editor), "morePage");
      EXPECT_EQ(child<QLabel>(editor, "folderLabel")->text(), "C:\\DATA\\");
      EXPECT_FALSE(child<QAbstractButton>(editor, "includeButton")->isEnabled());
      child<QComboBox>(editor, "groupsCombo")->setCurrentIndex(1);  // "Program Files (*.exe)"
      clickButton(editor, "includeButton");
      chooseGroup(editor, "Scratch (*.tmp)");
      clickButton(editor, "excludeButton");
      EXPECT_EQ(listTexts(editor, "includeList"),
                (QStringList{">C:\\DATA\\*.txt", ">C:\\DATA\\*.exe"}));
      EXPECT_EQ(listTexts(editor, "excludeList"), QStringList{">C:\\DATA\\*.tmp"});
      EXPECT_EQ(child<QComboBox>(editor, "groupsCombo")->currentText(), "Choose or Type in Entry");
      clickButton(editor, "moreOkButton");
      EXPECT_EQ(shownPage(editor), "mainPage");
      EXPECT_TRUE(typeDown(editor, 1));  // "Program Files (*.exe)" down now
      EXPECT_FALSE(typeDown(editor, 11));

      chooseFolder(editor, {"DATA", "SUB"});
      EXPECT_EQ(shownTicked(editor), QStringList{"d.txt"});
      for (const QString& name : shownTicked(editor))
        shown.insert("c:/data/sub/" + name.toStdString());
      clickTick(editor, "e.tmp");
      EXPECT_EQ(w.messages.value(1), "This File is in the Exclude List.  It cannot be checked.");
      EXPECT_EQ(shownTicked(editor), QStringList{"d.txt"});

      chooseFolder(editor, {"DATA"});
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "c.doc", "prog.exe"}));
      for (const QString& name : shownTicked(editor)) shown.insert("c:/data/" + name.toStdString());
      if (pictured()) ui_test::saveScreenshot(editor, "otherfiles-main");
      clickButton(editor, "okButton");
      EXPECT_FALSE(editor.isVisible());
    }));
    listed = preferencesList(preferences);
  }));
  ASSERT_EQ(listed.size(), index + 1);
  EXPECT_EQ(listed.back(), "Docs");

  const std::string section = "MultiFiles" + std::to_string(index);
  EXPECT_EQ(m.setting(section, "FileName"), "Docs");
  EXPECT_EQ(m.setting(section, "Path"), "C:\\DATA\\");
  if (haveProgram("crudini")) {
    const std::string ini = m.host(m.programDir() + "vastel.ini").string();
    EXPECT_EQ(runCommand("crudini --get '" + ini + "' " + section + " FileType2").output,
              "\"->C:\\DATA\\*.tmp\"\n");
    const std::set<std::string> files{
        runCommand("crudini --get '" + ini + "' " + section + " Files0").output,
        runCommand("crudini --get '" + ini + "' " + section + " Files1").output};
    EXPECT_EQ(files, (std::set<std::string>{"\"-C:\\DATA\\b.txt\"\n", "\"+C:\\DATA\\c.doc\"\n"}));
  }

  // The backups, run by the console program on the same machine.
  m.setSetting(section, "Check1", "1");
  m.setSetting(section, "Check2", "1");
  for (const char* config : {"1", "2"}) {
    const auto run = runProgram(CORVASTA_PROGRAM,
                                {"--console", "--machine", m.folder.string(), "schedule", config});
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }
  const std::vector<std::string> expected(shown.begin(), shown.end());
  if (haveProgram("unzip")) {
    const auto zipped = runCommand("unzip -Z1 \"$(find '" + m.host("C:\\Backups").string() +
                                   "' -iname docs.zip)\"");
    ASSERT_EQ(zipped.exitCode, 0) << zipped.output;
    EXPECT_EQ(lowerLines(zipped.output), expected);
  }
  // The copy: the set folder + drive letter + the folders below.
  const std::string copies = m.host("C:\\Copies").string();
  const auto copied = runCommand("cd '" + copies + "' && find . -type f | sed 's|^\\./[^/]*/||'");
  std::vector<std::string> tree = lowerLines(copied.output);
  for (std::string& path : tree) path = path.substr(0, 1) + ":" + path.substr(1);
  EXPECT_EQ(tree, expected) << copied.output;
}

TEST_P(OtherFilesEditorView, EditShowsTheEntryCancelWritesNothingAndOKRenames) {
  MainWindowMachine& m = w.m;
  m.write("C:\\WORK\\a.txt", "alpha");
  m.write("C:\\WORK\\b.txt", "bravo");
  m.write("C:\\WORK\\c.ini", "charlie");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Work\r\nPath=C:\\WORK\\\r\nFileType0=\">C:\\WORK\\*.txt\"\r\n"
      "SubDirectories=1\r\nCheck1=1\r\nCheck3=1\r\n");
  std::string before;
  QStringList listed;
  Qt::CheckState check = Qt::Unchecked;

  ASSERT_TRUE(w.inPreferences([&](PreferencesDialog& preferences) {
    ASSERT_EQ(preferencesList(preferences).value(0), "Work");
    selectPreferencesRow(preferences, 0);
    before = m.settingsText();
    ASSERT_TRUE(w.inEditor(preferences, "editOtherButton", [&](OtherFilesEditor& editor) {
      EXPECT_EQ(shownPage(editor), "mainPage");
      EXPECT_EQ(child<QLineEdit>(editor, "nameField")->text(), "Work");
      EXPECT_EQ(editor.form().folder(), "C:\\WORK\\");
      EXPECT_TRUE(typeDown(editor, 2));
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "b.txt"}));
      clickTick(editor, "b.txt");
      clickButton(editor, "moreButton");
      editor.reject();  // Escape on the More page is the dialog's Cancel
    }));
    EXPECT_EQ(m.settingsText(), before);

    ASSERT_TRUE(w.inEditor(preferences, "editOtherButton", [&](OtherFilesEditor& editor) {
      // Shown again as the file has it, on the main page.
      EXPECT_EQ(shownPage(editor), "mainPage");
      EXPECT_EQ(shownTicked(editor), (QStringList{"a.txt", "b.txt"}));
      clickButton(editor, "cancelButton");
    }));
    EXPECT_EQ(m.settingsText(), before);

    ASSERT_TRUE(w.inEditor(preferences, "editOtherButton", [&](OtherFilesEditor& editor) {
      typeName(editor, "Work2");
      clickTick(editor, "c.ini");
      clickButton(editor, "okButton");
      EXPECT_FALSE(editor.isVisible());
    }));
    listed = preferencesList(preferences);
    check = child<QListWidget>(preferences, "otherFilesList")->item(0)->checkState();
  }));
  EXPECT_EQ(listed, QStringList{"Work2"});
  EXPECT_EQ(check, Qt::Checked);
  EXPECT_EQ(m.setting("MultiFiles0", "FileName"), "Work2");
  EXPECT_EQ(m.setting("MultiFiles0", "FileType0"), ">C:\\WORK\\*.txt");
  EXPECT_EQ(m.setting("MultiFiles0", "Files0"), "+C:\\WORK\\c.ini");
  EXPECT_EQ(m.setting("MultiFiles0", "Check3"), "1");
}

TEST_P(OtherFilesEditorView, NameListAndPagesWorkThroughTheirWidgets) {
  MainWindowMachine& m = w.m;
  writeDataTree(m);
  int index = -1;
  ASSERT_TRUE(w.inPreferences([&](PreferencesDialog& preferences) {
    index = static_cast<int>(preferencesList(preferences).size());
    ASSERT_TRUE(w.inEditor(preferences, "newOtherButton", [&](OtherFilesEditor& editor) {
      typeName(editor, "ABCDEFGHIJ");
      EXPECT_EQ(editor.form().Edit1, "ABCDEFGH");  // eight characters at most

      // A double click on a folder of the list goes down into it; the tree follows.
      chooseFolder(editor, {"DATA"});
      auto* files = child<QListWidget>(editor, "fileList");
      const QRect sub = files->visualItemRect(files->findItems("sub", Qt::MatchExactly).value(0));
      QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, sub.center());
      EXPECT_EQ(editor.form().folder(), "C:\\DATA\\SUB\\");
      EXPECT_EQ(child<QTreeWidget>(editor, "folderTree")->currentItem()->text(0), "SUB");
      EXPECT_EQ(shownTicked(editor), QStringList{});
      chooseFolder(editor, {"DATA"});

      clickButton(editor, "typeButton2");
      clickButton(editor, "typeButton11");
      clickButton(editor, "findSizeButton");
      EXPECT_EQ(shownPage(editor), "sizePage");
      EXPECT_EQ(child<QLabel>(editor, "sizeStatus")->text(),
                "Finished - Please see results below.");
      // a.txt, b.txt, SUB\d.txt; notes.tmp, SUB\e.tmp: 5 + 5 + 5 + 7 + 8 bytes.
      EXPECT_EQ(child<QLabel>(editor, "numberOfFiles")->text(), "5");
      EXPECT_EQ(child<QLabel>(editor, "uncompressedSize")->text(), "30 bytes");
      if (pictured()) ui_test::saveScreenshot(editor, "otherfiles-size");
      clickButton(editor, "sizeOkButton");
      EXPECT_EQ(shownPage(editor), "mainPage");

      clickButton(editor, "moreButton");
      if (pictured()) ui_test::saveScreenshot(editor, "otherfiles-more");
      // An entry dragged to the top of its list: the model's move reaches the form.
      auto* includes = child<QListWidget>(editor, "includeList");
      ASSERT_TRUE(includes->model()->moveRow(QModelIndex(), 1, QModelIndex(), 0));
      EXPECT_EQ(editor.form().lists.includes,
                (std::vector<std::string>{">C:\\DATA\\*.tmp", ">C:\\DATA\\*.txt"}));
      EXPECT_EQ(listTexts(editor, "includeList"),
                (QStringList{">C:\\DATA\\*.tmp", ">C:\\DATA\\*.txt"}));
      EXPECT_TRUE(child<QAbstractButton>(editor, "deleteIncludeButton")->isEnabled());
      clickButton(editor, "deleteIncludeButton");
      EXPECT_EQ(listTexts(editor, "includeList"), QStringList{">C:\\DATA\\*.txt"});
      EXPECT_FALSE(child<QAbstractButton>(editor, "deleteIncludeButton")->isEnabled());
      clickButton(editor, "moreOkButton");
      EXPECT_FALSE(typeDown(editor, 11));

      clickButton(editor, "notesButton");
      EXPECT_EQ(shownPage(editor), "notesPage");
      auto* notesField = child<QWidget>(editor, "notesField");
      QTest::keyClicks(notesField, "Letters");
      QTest::keyClick(notesField, Qt::Key_Return);
      QTest::keyClicks(notesField, "and lists");
      if (pictured()) ui_test::saveScreenshot(editor, "otherfiles-notes");
      clickButton(editor, "notesOkButton");
      EXPECT_EQ(shownPage(editor), "mainPage");
      clickButton(editor, "cancelButton");
    }));
  }));
  // The notes page saves at once, whatever the dialog's Cancel does.
  const std::string notes = "MultiFiles" + std::to_string(index) + "Notes";
  EXPECT_EQ(m.setting(notes, "0"), "Letters");
  EXPECT_EQ(m.setting(notes, "1"), "and lists");
  EXPECT_EQ(m.setting("MultiFiles" + std::to_string(index), "FileName"), "@");
}

INSTANTIATE_TEST_SUITE_P(Samples, OtherFilesEditorView,
                         ::testing::Values(SampleCase{WindowsVersion::WinMe, 3, "ME"},
                                           SampleCase{WindowsVersion::WinXp, 6, "XP"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ui_main_test
