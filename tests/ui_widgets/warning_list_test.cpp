// The warning list: its buttons and results, and its size.

#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "tests/ui_support/screenshot.h"
#include "tests/ui_widgets/ui_fixture.h"
#include "ui/WarningList.h"

namespace ui_test {
namespace {

class WarningListTest : public UiFixture {
 protected:
  std::vector<std::string> shownButtons;
  std::vector<std::string> shownLines;
  // Answers the list with `button` and records what it showed.
  void answerList(const QString& button) {
    ui.setDialogHook([this, button](QDialog& dialog) {
      captions.push_back(dialog.windowTitle().toStdString());
      shownButtons = buttonTexts(dialog);
      const auto* list = dialog.findChild<QListWidget*>();
      for (int row = 0; list && row < list->count(); ++row)
        shownLines.push_back(list->item(row)->text().toStdString());
      QTest::mouseClick(buttonOf(dialog, button), Qt::LeftButton);
    });
  }
};

TEST_F(WarningListTest, OkListOfTheOperationsErrors) {
  form().core.ErrorList = {"Could not open C:\\WINDOWS\\USER.DAT", "User Cancelled"};
  answerList("&OK");
  EXPECT_EQ(form().core.ShowWarningList(false), corvasta::IDOK);
  EXPECT_EQ(captions, std::vector<std::string>{"WARNING"});
  EXPECT_EQ(shownButtons, std::vector<std::string>{"&OK"});
  EXPECT_EQ(shownLines, form().core.ErrorList);
}

TEST_F(WarningListTest, YesNoQuestion) {
  form().core.ErrorList = {"WARNING - An Error has Occurred", "",
                           "Do you want to Restart Windows?"};
  answerList("&Yes");
  EXPECT_EQ(form().core.ShowWarningList(true), corvasta::IDYES);
  EXPECT_EQ(shownButtons, (std::vector<std::string>{"&Yes", "&No"}));
  answerList("&No");
  EXPECT_EQ(form().core.ShowWarningList(true), corvasta::IDNO);
  // The same window asks with OK only again.
  answerList("&OK");
  EXPECT_EQ(form().core.ShowWarningList(false), corvasta::IDOK);
}

TEST_F(WarningListTest, EscapeAnswersNoToAQuestion) {
  ui.setDialogHook([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(ui.showWarningList({"Do you want to Restart Windows?"}, true), corvasta::IDNO);
  EXPECT_EQ(ui.showWarningList({"Done."}, false), corvasta::IDOK);
}

TEST_F(WarningListTest, TheListShowsEveryLineUntilTheScreenIsTooSmall) {
  corvasta::WarningList& window = ui.warningList();
  corvasta::TForm6 model;
  model.lines = {"one", "two", "three"};
  window.setModel(model);
  const int lineHeight = window.list().sizeHintForRow(0);
  EXPECT_EQ(window.list().height(), 3 * lineHeight);
  EXPECT_EQ(window.height(), 3 * lineHeight + 90);
  EXPECT_EQ(window.okButton().geometry().top(), window.height() - 57);
  EXPECT_FALSE(window.layoutUsed().scrolls);

  const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
  model.lines.assign(static_cast<size_t>(screenHeight / lineHeight + 5), "a line");
  window.setModel(model);
  EXPECT_TRUE(window.layoutUsed().scrolls);
  EXPECT_EQ(window.list().height(), 10 * lineHeight);
  EXPECT_EQ(window.height(), 10 * lineHeight + 90);
}

TEST_F(WarningListTest, AWideLineScrollsSidewaysWithoutHidingALine) {
  corvasta::WarningList& window = ui.warningList();
  corvasta::TForm6 model;
  model.lines = {"short", "C:\\" + std::string(200, 'x') + "\\a very long path.txt"};
  window.setModel(model);
  const int lineHeight = window.list().sizeHintForRow(0);
  EXPECT_GT(window.list().height(), 2 * lineHeight);
  EXPECT_EQ(window.okButton().geometry().bottom() + 1 + 57 - window.okButton().height(),
            window.height());
  ui.setDialogHook([](QDialog& dialog) {
    const auto* list = dialog.findChild<QListWidget*>();
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  ui.showWarningList(model.lines, false);
}

TEST_F(WarningListTest, Screenshot) {
  form().core.ErrorList = {"The following files could not be backed up:",
                           "   C:\\WINDOWS\\APPLOG\\APPLOG.IND (in use)",
                           "   C:\\My Documents\\budget.xls (in use)",
                           "",
                           "WARNING - An Error has Occurred - Backup NOT Complete.",
                           "",
                           "Do you want to see the activity log?"};
  std::filesystem::path file;
  ui.setDialogHook([&](QDialog& dialog) {
    file = saveScreenshot(dialog, "warning_list");
    QTest::mouseClick(buttonOf(dialog, "&No"), Qt::LeftButton);
  });
  EXPECT_EQ(form().core.ShowWarningList(true), corvasta::IDNO);
  EXPECT_GT(std::filesystem::file_size(file), 1000u);
}

}  // namespace
}  // namespace ui_test
