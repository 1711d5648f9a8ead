// The Extractor dialog through the real Qt front end: the tree of a listed
// set under several drive roots, files checked in the view and extracted by
// the form, the activation once per opening, the main window's button, and
// pictures of both modes.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "extractor/CheckTree.h"
#include "extractor/Unit10.h"
#include "tests/support/stored_archive.h"
#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"
#include "ui/ExtractorDialog.h"
#include "ui/ExtractorTreeModel.h"

namespace ui_main_test {
namespace {

using corvasta::ExtractorDialog;
using corvasta::ExtractorTreeModel;

constexpr const char* kSet = "C:\\Backups\\Other Files.zip";

// The Extractor opened over the main window of a Windows ME sample (drives
// A:, C: and D:), every chooser and message box answered by `answer`.
struct ExtractorWindow {
  explicit ExtractorWindow(platform::WindowsVersion version = platform::WindowsVersion::WinMe,
                           int windowsMode = 3)
      : m(version, windowsMode, Front::Qt) {
    m.showWindow();
    m.qtUi->setDialogHook([this](QDialog& shown) { answer(shown); });
    form = std::make_unique<corvasta::TForm10>(m.form->core, m.form->backup.archiving,
                                               m.form->backup.items);
    dialog = std::make_unique<ExtractorDialog>(*form, m.window.get());
  }
  ~ExtractorWindow() {
    dialog.reset();
    m.qtUi->setDialogHook({});
  }

  void open() {
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }
  // Choosers take `chosen` (a Windows path); message boxes are read and
  // closed with OK.
  void answer(QDialog& shown) {
    if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
      messages << box->text();
      if (!messagePicture.empty()) {
        ui_test::saveScreenshot(*box, messagePicture);
        messagePicture.clear();
      }
      box->buttons().front()->click();
    } else if (auto* chooser = qobject_cast<QFileDialog*>(&shown)) {
      const QString host = QString::fromStdString(m.host(chosen).string());
      if (chooser->fileMode() == QFileDialog::Directory) chooser->setDirectory(host);
      chooser->selectFile(host);
      static_cast<QDialog*>(chooser)->accept();
    } else {
      shown.reject();
    }
  }
  void browse(const std::string& backup) {
    chosen = backup;
    click("browseButton");
  }
  void click(const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
  }
  QString text(const char* name) {
    if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
    if (auto* field = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
      return field->text();
    return dialog->findChild<QAbstractButton*>(QString::fromLatin1(name))->text();
  }
  bool enabled(const char* name) {
    return dialog->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled();
  }
  // The row of a path as the view shows it, its folders opened on the way.
  QModelIndex rowOf(const std::string& path) {
    for (int node : form->TreeView1.FileNodes())
      if (form->TreeView1.PathOfNode(node) == path) {
        const QModelIndex index = dialog->treeModel().reveal(node);
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
          dialog->tree().expand(up);
        return index;
      }
    ADD_FAILURE() << path << " is not listed";
    return {};
  }
  // A mouse click on a row's text, as the user checks a file.
  void clickRow(const QModelIndex& index) {
    QTreeView& tree = dialog->tree();
    tree.scrollTo(index);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(index).center());
  }
  QStringList rootTexts() {
    QStringList texts;
    const ExtractorTreeModel& model = dialog->treeModel();
    for (int row = 0; row < model.rowCount(); ++row) texts << model.index(row, 0).data().toString();
    return texts;
  }

  MainWindowMachine m;
  std::unique_ptr<corvasta::TForm10> form;
  std::unique_ptr<ExtractorDialog> dialog;
  std::string chosen;
  QStringList messages;
  std::string messagePicture;  // the next message box is saved under this name
};

// An Other Files archive whose entries name drives C: and D:, a drive the
// machine lacks (E:) and no drive at all.
void writeSet(MainWindowMachine& m) {
  testing_support::writeStoredArchive(m, kSet,
                                      {{"C:/Docs/readme.txt", "read me", ""},
                                       {"C:/Docs/letter.txt", "dear", ""},
                                       {"C:/Docs/Old/draft.txt", "draft", ""},
                                       {"D:/Setup/setup.inf", "[setup]", ""},
                                       {"E:/Games/save.dat", "level 3", ""},
                                       {"loose.txt", "no drive", ""}});
}

TEST(ExtractorDialog, OpensWithTheTreeOfAListedSetUnderItsDriveRoots) {
  ExtractorWindow x;
  writeSet(x.m);
  x.open();
  EXPECT_EQ(x.dialog->windowTitle(), "Extract Files from Backup");
  EXPECT_TRUE(x.dialog->isModal());
  EXPECT_EQ(x.text("backupLabel"), "&Backup File:");
  EXPECT_EQ(x.text("countLabel"), "No Files in Backup File");
  EXPECT_FALSE(x.enabled("extractButton"));
  EXPECT_FALSE(x.enabled("checkAllButton"));

  x.browse(kSet);
  EXPECT_EQ(x.text("backupField"), kSet);
  EXPECT_EQ(x.text("countLabel"), "6 of 6 Files in Backup File");
  EXPECT_TRUE(x.enabled("extractButton"));
  EXPECT_TRUE(x.enabled("entireDirectoryButton"));
  const QStringList roots = x.rootTexts();
  ASSERT_EQ(roots.size(), 5) << roots.join(" | ").toStdString();
  EXPECT_TRUE(roots[0].endsWith("(A:)")) << roots[0].toStdString();
  EXPECT_TRUE(roots[1].endsWith("(C:)")) << roots[1].toStdString();
  EXPECT_TRUE(roots[2].endsWith("(D:)")) << roots[2].toStdString();
  EXPECT_EQ(roots[3], corvasta::TCheckTree::kNoDriveGiven);
  EXPECT_EQ(roots[4], "E:(Not Present)");

  // The roots holding files are open one level; below them rows come as
  // folders are opened: folders first, then files.
  ExtractorTreeModel& model = x.dialog->treeModel();
  QTreeView& tree = x.dialog->tree();
  EXPECT_FALSE(tree.isExpanded(model.index(0, 0)));
  const QModelIndex c = model.index(1, 0);
  ASSERT_TRUE(tree.isExpanded(c));
  ASSERT_EQ(model.rowCount(c), 1);
  const QModelIndex docs = model.index(0, 0, c);
  EXPECT_EQ(docs.data().toString(), "Docs");
  EXPECT_FALSE(docs.data(Qt::CheckStateRole).isValid());  // folders have no check box
  EXPECT_EQ(model.rowCount(docs), 0);
  tree.expand(docs);
  ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(docs) == 3; }));
  EXPECT_EQ(model.index(0, 0, docs).data().toString(), "Old");
  EXPECT_EQ(model.index(1, 0, docs).data().toString(), "letter.txt");
  EXPECT_EQ(model.index(2, 0, docs).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(model.index(0, 0, model.index(3, 0)).data().toString(), "loose.txt");
  EXPECT_TRUE(x.messages.isEmpty()) << x.messages.join("\n").toStdString();
}

TEST(ExtractorDialog, ExtractsExactlyTheFilesCheckedInTheView) {
  ExtractorWindow x;
  writeSet(x.m);
  x.open();
  x.browse(kSet);

  // What the dialog showed while the form extracted.
  std::vector<int> percents;
  bool busyWhileExtracting = false;
  const auto paintBar = x.form->PaintProgressBar;
  x.form->PaintProgressBar = [&] {
    paintBar();
    percents.push_back(x.dialog->findChild<QProgressBar*>("progressBar")->value());
  };
  const auto paintCount = x.form->PaintCountLabel;
  x.form->PaintCountLabel = [&] {
    paintCount();
    if (x.text("countLabel") == "Extracting - Please Wait")
      busyWhileExtracting = QApplication::overrideCursor() &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  };

  const QModelIndex readme = x.rowOf("C:\\Docs\\readme.txt");
  x.clickRow(readme);
  EXPECT_EQ(readme.data(Qt::CheckStateRole).toInt(), Qt::Checked);
  x.clickRow(x.rowOf("E:\\Games\\save.dat"));
  x.clickRow(x.rowOf("C:\\Docs\\letter.txt"));
  x.clickRow(x.rowOf("C:\\Docs\\letter.txt"));  // and unchecked again
  EXPECT_EQ(x.rowOf("C:\\Docs\\letter.txt").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

  // To "Temporary Directory": the program's drive + "\Temp".
  auto* extractTo = x.dialog->findChild<QComboBox*>("extractTo");
  extractTo->setCurrentIndex(corvasta::kTemporaryDirectory);
  emit extractTo->activated(corvasta::kTemporaryDirectory);
  EXPECT_TRUE(x.enabled("recurseBox"));
  x.click("extractButton");

  EXPECT_EQ(x.messages, QStringList({"2 Files Extracted to C:\\Temp."}));
  EXPECT_EQ(x.m.read("C:\\Temp\\Docs\\readme.txt"), "read me");
  EXPECT_EQ(x.m.read("C:\\Temp\\Games\\save.dat"), "level 3");
  EXPECT_FALSE(x.m.exists("C:\\Temp\\Docs\\letter.txt"));
  EXPECT_FALSE(x.m.exists("C:\\Temp\\Docs\\Old\\draft.txt"));
  EXPECT_EQ(x.text("countLabel"), "Extraction Finished");
  EXPECT_TRUE(busyWhileExtracting);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  EXPECT_EQ(x.dialog->findChild<QStackedWidget*>("countArea")->currentWidget()->objectName(),
            "countLabel");
}

TEST(ExtractorDialog, ActivatesOncePerOpeningNotAfterItsOwnMessageBoxes) {
  ExtractorWindow x;
  writeSet(x.m);
  x.open();
  x.browse(kSet);
  // A folder selected: "Entire Directory" explains itself in a message box,
  // after which the dialog is active again with its listing.
  x.clickRow(x.dialog->treeModel().index(0, 0, x.dialog->treeModel().index(1, 0)));
  x.click("entireDirectoryButton");
  ASSERT_EQ(x.messages.size(), 1);
  EXPECT_TRUE(x.messages[0].startsWith("Please check or uncheck a file"));
  x.dialog->activateWindow();
  QApplication::processEvents();
  EXPECT_EQ(x.text("backupField"), kSet);
  EXPECT_EQ(x.form->TreeView1.FileNodes().size(), 6u);

  // Opened again: an empty tree and the stored settings.
  x.dialog->hide();
  x.open();
  EXPECT_EQ(x.text("backupField"), "");
  EXPECT_TRUE(x.form->TreeView1.FileNodes().empty());
  EXPECT_EQ(x.dialog->treeModel().rowCount(x.dialog->treeModel().index(1, 0)), 0);
  EXPECT_FALSE(x.enabled("extractButton"));
}

TEST(ExtractorDialog, MainWindowButtonOpensTheDialogModallyAndExitSavesTheSettings) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3, Front::Qt);
  corvasta::MainWindow& window = m.showWindow();
  window.showTab(corvasta::kExtractorTab);
  QPushButton* button = child<QPushButton>(window, "extractorButton");
  ASSERT_TRUE(button->isEnabled());
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ExtractorDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    title = dialog->windowTitle();
    dialog->findChild<QCheckBox*>("compressedBox")->click();
    EXPECT_EQ(dialog->findChild<QLabel*>("backupLabel")->text(), "&Backup Dir:");
    dialog->findChild<QPushButton*>("exitButton")->click();
  });
  button->click();
  EXPECT_EQ(title, "Extract Files from Backup");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(m.setting("Extract Files", "Compressed"), "0");
  EXPECT_EQ(m.setting("Extract Files", "ToIndex"), "0");
}

// Pictures for the documentation, written to the build's screenshots folder:
// a set listed under several drive roots, and directory mode.
void pictureSetAndDirectory(platform::WindowsVersion version, int windowsMode,
                            const std::string& prefix) {
  ExtractorWindow x(version, windowsMode);
  writeSet(x.m);
  x.open();
  x.browse(kSet);
  x.clickRow(x.rowOf("C:\\Docs\\readme.txt"));
  x.clickRow(x.rowOf("D:\\Setup\\setup.inf"));
  ui_test::saveScreenshot(*x.dialog, prefix + "set");

  // An uncompressed set: its drive folders C and D list as C:\... and D:\....
  x.m.write("C:\\Backups\\Set1\\C\\WINDOWS\\win.ini", "[windows]");
  x.m.write("C:\\Backups\\Set1\\C\\WINDOWS\\system.ini", "[boot]");
  x.m.write("C:\\Backups\\Set1\\D\\Data\\list.txt", "1");
  x.click("compressedBox");
  x.browse("C:\\Backups\\Set1");
  EXPECT_EQ(x.text("backupField"), "C:\\Backups\\Set1\\");
  EXPECT_EQ(x.text("countLabel"), "3 Files in Backup");
  EXPECT_GE(x.rowOf("C:\\WINDOWS\\win.ini").row(), 0);
  EXPECT_GE(x.rowOf("D:\\Data\\list.txt").row(), 0);
  ui_test::saveScreenshot(*x.dialog, prefix + "directory");
}

TEST(ExtractorDialogScreenshots, ListedSetAndDirectoryModeOnMeAndXp) {
  pictureSetAndDirectory(platform::WindowsVersion::WinMe, 3, "extractor-");
  pictureSetAndDirectory(platform::WindowsVersion::WinXp, 6, "extractor-xp-");
}

// The dialog while it extracts (the progress bar over the count label) and
// the report that ends the extraction, on Windows ME and XP.
void pictureExtraction(platform::WindowsVersion version, int windowsMode, const std::string& name) {
  ExtractorWindow x(version, windowsMode);
  const std::string chunk(256 * 1024, 'x');
  std::vector<testing_support::StoredMember> members;
  for (int file = 0; file < 8; ++file)
    members.push_back({"C:/Data/Part " + std::to_string(file) + ".bin", chunk, ""});
  members.push_back({"loose.txt", "no drive", ""});
  testing_support::writeStoredArchive(x.m, kSet, members);
  x.open();
  x.browse(kSet);
  x.click("checkAllButton");

  bool pictured = false;
  const std::function<void()> paint = x.form->PaintProgressBar;
  x.form->PaintProgressBar = [&] {
    paint();
    if (!pictured && x.form->ProgressBarPosition >= 40) {
      pictured = true;
      ui_test::saveScreenshot(*x.dialog, "extractor-" + name + "-progress");
    }
  };
  x.messagePicture = "extractor-" + name + "-report";
  x.click("extractButton");
  EXPECT_TRUE(pictured) << "no total-percent event reached 40 %";
  EXPECT_TRUE(x.messagePicture.empty()) << "no report was shown";
  EXPECT_EQ(x.messages.join("|").toStdString(), "9 Files Extracted.");
  EXPECT_EQ(x.m.read("C:\\Data\\Part 7.bin"), chunk);
}

TEST(ExtractorDialogScreenshots, ExtractionProgressAndReportOnMeAndXp) {
  pictureExtraction(platform::WindowsVersion::WinMe, 3, "me");
  pictureExtraction(platform::WindowsVersion::WinXp, 6, "xp");
}

}  // namespace
}  // namespace ui_main_test
