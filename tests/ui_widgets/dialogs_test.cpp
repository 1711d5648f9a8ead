// The Qt Ui's modal dialogs answered through the test hook: message boxes
// with the Windows button sets, input boxes and the choosers.

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/core/codepage.h"
#include "tests/support/temp_dir.h"
#include "tests/ui_widgets/ui_fixture.h"

namespace ui_test {
namespace {

using corvasta::Buttons;
using corvasta::Icon;

class DialogsTest : public UiFixture {};

TEST_F(DialogsTest, EveryButtonSetGivesItsWindowsResults) {
  struct Case {
    Buttons buttons;
    std::vector<std::string> texts;
    std::vector<int> results;
  };
  const std::vector<Case> cases{
      {Buttons::Ok, {"OK"}, {corvasta::IDOK}},
      {Buttons::OkCancel, {"OK", "Cancel"}, {corvasta::IDOK, corvasta::IDCANCEL}},
      {Buttons::YesNo, {"&Yes", "&No"}, {corvasta::IDYES, corvasta::IDNO}},
      {Buttons::YesNoCancel,
       {"&Yes", "&No", "Cancel"},
       {corvasta::IDYES, corvasta::IDNO, corvasta::IDCANCEL}},
      {Buttons::RetryCancel, {"&Retry", "Cancel"}, {corvasta::IDRETRY, corvasta::IDCANCEL}},
      {Buttons::AbortRetryIgnore,
       {"&Abort", "&Retry", "&Ignore"},
       {corvasta::IDABORT, corvasta::IDRETRY, corvasta::IDIGNORE}},
  };
  for (const Case& c : cases) {
    for (size_t i = 0; i < c.texts.size(); ++i) {
      std::vector<std::string> shown;
      QString defaultText;
      ui.setDialogHook([&](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        shown = buttonTexts(dialog);
        defaultText = box.defaultButton()->text();
        QTest::mouseClick(buttonOf(dialog, QString::fromStdString(c.texts[i])), Qt::LeftButton);
      });
      EXPECT_EQ(ui.messageBox("Question?", "Corvasta ME", c.buttons, Icon::None), c.results[i]);
      EXPECT_EQ(shown, c.texts);
      EXPECT_EQ(defaultText.toStdString(), c.texts.front());  // the first button is the default
    }
  }
}

TEST_F(DialogsTest, TextCaptionAndIcon) {
  QString text, caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  ui.setDialogHook([&](QDialog& dialog) {
    auto& box = dynamic_cast<QMessageBox&>(dialog);
    text = box.text();
    caption = box.windowTitle();
    icon = box.icon();
    QTest::mouseClick(buttonOf(dialog, "OK"), Qt::LeftButton);
  });
  ui.messageBox("First line\rSecond line\r\nThird \xE9t\xE9", "Corvasta ME", Buttons::Ok,
                Icon::Warning);
  EXPECT_EQ(text, QString::fromUtf8("First line\nSecond line\nThird \u00E9t\u00E9"));
  EXPECT_EQ(caption, "Corvasta ME");
  EXPECT_EQ(icon, QMessageBox::Warning);
  ui.messageBox("x", "y", Buttons::Ok, Icon::Error);
  EXPECT_EQ(icon, QMessageBox::Critical);
  ui.messageBox("x", "y", Buttons::Ok, Icon::Question);
  EXPECT_EQ(icon, QMessageBox::Question);
  ui.messageBox("x", "y", Buttons::Ok, Icon::Information);
  EXPECT_EQ(icon, QMessageBox::Information);
}

TEST_F(DialogsTest, EscapeIsCancelOnlyWhereTheSetHasCancel) {
  ui.setDialogHook([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(ui.messageBox("?", "", Buttons::YesNoCancel, Icon::Question), corvasta::IDCANCEL);
  EXPECT_EQ(ui.messageBox("?", "", Buttons::Ok, Icon::None), corvasta::IDOK);

  // Yes/No has no way out but its buttons: Escape leaves the box open.
  bool stillOpen = false;
  ui.setDialogHook([&](QDialog& dialog) {
    QTest::keyClick(&dialog, Qt::Key_Escape);
    stillOpen = dialog.isVisible();
    QTest::mouseClick(buttonOf(dialog, "&No"), Qt::LeftButton);
  });
  EXPECT_EQ(ui.messageBox("?", "", Buttons::YesNo, Icon::Question), corvasta::IDNO);
  EXPECT_TRUE(stillOpen);
}

TEST_F(DialogsTest, InputBoxMaskedForPasswords) {
  QLineEdit::EchoMode echo = QLineEdit::Normal;
  QString prompt;
  ui.setDialogHook([&](QDialog& dialog) {
    auto& input = dynamic_cast<QInputDialog&>(dialog);
    echo = input.textEchoMode();
    prompt = input.labelText();
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->clear();
    QTest::keyClicks(edit, "s3cret");
    input.accept();
  });
  EXPECT_EQ(ui.inputBox("Password", "Enter the password:", "", true), "s3cret");
  EXPECT_EQ(echo, QLineEdit::Password);
  EXPECT_EQ(prompt, "Enter the password:");

  ui.setDialogHook([&](QDialog& dialog) {
    echo = dynamic_cast<QInputDialog&>(dialog).textEchoMode();
    dialog.accept();
  });
  EXPECT_EQ(ui.inputBox("Backup", "Name of the backup:", "Monday", false), "Monday");
  EXPECT_EQ(echo, QLineEdit::Normal);

  ui.setDialogHook([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(ui.inputBox("Backup", "Name:", "x", false), std::nullopt);
}

TEST_F(DialogsTest, ChoosersSpeakWindowsPaths) {
  machine->writeFileOfSize("C:\\WINDOWS\\REPORT.TXT", 5);
  QString startedIn;
  ui.setDialogHook([&](QDialog& dialog) {
    auto& chooser = dynamic_cast<QFileDialog&>(dialog);
    startedIn = chooser.directory().absolutePath();
    chooser.selectFile(chooser.directory().absoluteFilePath("REPORT.TXT"));
    static_cast<QDialog&>(chooser).accept();
  });
  const auto file = ui.chooseFile("Open", "Text files (*.txt)|*.TXT|All files|*.*", "C:\\WINDOWS");
  ASSERT_TRUE(file);
  EXPECT_TRUE(platform::ansiEqualNoCase(*file, "C:\\WINDOWS\\REPORT.TXT")) << *file;
  EXPECT_EQ(startedIn.toStdString(), machine->host("C:\\WINDOWS").string());

  ui.setDialogHook([&](QDialog& dialog) {
    auto& chooser = dynamic_cast<QFileDialog&>(dialog);
    chooser.selectFile(chooser.directory().absolutePath());
    static_cast<QDialog&>(chooser).accept();
  });
  const auto folder = ui.chooseFolder("Choose a folder", "C:\\WINDOWS");
  ASSERT_TRUE(folder);
  EXPECT_TRUE(platform::ansiEqualNoCase(*folder, "C:\\WINDOWS")) << *folder;

  ui.setDialogHook([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(ui.chooseFile("Open", "", "C:\\"), std::nullopt);
}

TEST_F(DialogsTest, AChoiceOutsideTheMachineIsRefused) {
  testing_support::TempDir outside;
  testing_support::writeFile(outside / "elsewhere.txt", "x");
  int shown = 0;
  std::string refusal;
  ui.setDialogHook([&](QDialog& dialog) {
    ++shown;
    if (auto* box = dynamic_cast<QMessageBox*>(&dialog)) {
      refusal = box->text().toStdString();
      QTest::mouseClick(buttonOf(dialog, "OK"), Qt::LeftButton);
      return;
    }
    auto& chooser = dynamic_cast<QFileDialog&>(dialog);
    if (shown > 1) return chooser.reject();  // the second time: give up
    chooser.selectFile(QString::fromStdString((outside / "elsewhere.txt").string()));
    static_cast<QDialog&>(chooser).accept();
  });
  EXPECT_EQ(ui.chooseFile("Open", "", "C:\\"), std::nullopt);
  EXPECT_EQ(shown, 3);
  EXPECT_NE(refusal.find("is not on a drive of this Windows installation."), std::string::npos);
}

TEST(QtNameFilters, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(corvasta::qtNameFilters("Text files (*.txt)|*.txt|All files|*.*"),
            (QStringList{"Text files (*.txt) (*.txt)", "All files (*)"}));
  EXPECT_EQ(corvasta::qtNameFilters("Registry|*.dat;*.da0"), QStringList{"Registry (*.dat *.da0)"});
  EXPECT_TRUE(corvasta::qtNameFilters("").isEmpty());
  EXPECT_TRUE(corvasta::qtNameFilters("Lonely description").isEmpty());
  EXPECT_EQ(corvasta::qtNameFilters("A|*.a|B|"), QStringList{"A (*.a)"});
}

TEST_F(DialogsTest, BusyCursorAndTitle) {
  ui.setBusyCursor(true);
  ui.setBusyCursor(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.setBusyCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // set twice, one restore suffices
  ui.setApplicationTitle("Corvasta ME");
  EXPECT_EQ(mainWindow.windowTitle(), "Corvasta ME");
}

}  // namespace
}  // namespace ui_test
