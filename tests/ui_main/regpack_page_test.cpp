// The RegPack page through the real Qt front end: in Windows 95, 98, ME and
// XP with an undo copy present the page offers Undo RegPack and the status
// text shows its RegPack sentence; mode 2's list keeps its choice; an XP
// RegPack whose software hive cannot be replaced shows the warning list and
// leaves the Undo RegPack button enabled by the new undo copy. Each is
// photographed for review.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/core/system_time.h"
#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"
#include "ui/WarningList.h"

namespace ui_main_test {
namespace {

using platform::WindowsVersion;

struct PageCase {
  WindowsVersion version;
  int mode;
  const char* name;
};

class RegPackPageWithUndoCopy : public ::testing::TestWithParam<PageCase> {};

TEST_P(RegPackPageWithUndoCopy, OffersUndoAndScrollsToTheRegPackSentence) {
  const PageCase page = GetParam();
  MainWindowMachine m(page.version, page.mode);
  const corvasta::SystemLocations& loc = m.form->core.loc;
  const std::string undoCopy =
      page.mode <= 3 ? loc.winbootdir + "system.zzz" : loc.windowsDir + "registry.zzz";
  m.write(undoCopy, "an undo copy");
  // Made on 1 May 2004, before the program's clock.
  m.files->setFileTime(undoCopy, std::nullopt, std::nullopt,
                       platform::systemTimeToFileTime(testing_support::clockTime(2004, 5, 1)));
  corvasta::MainWindow& window = m.showWindow();
  window.showTab(corvasta::kRegPackTab);

  EXPECT_TRUE(child<QPushButton>(window, "regPackButton")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "undoRegPackButton")->isEnabled());
  QComboBox* kind = child<QComboBox>(window, "regPackKind");
  EXPECT_EQ(kind->isVisibleTo(&window), page.mode == 2);
  EXPECT_TRUE(kind->isEnabled());
  QPushButton* third = child<QPushButton>(window, "thirdRegPackButton");
  EXPECT_EQ(third->isVisibleTo(&window), page.mode <= 3);
  EXPECT_TRUE(third->isEnabled());
  EXPECT_NE(m.form->MarqueeText.find("The last RegPack was done on "), std::string::npos)
      << m.form->MarqueeText;
  EXPECT_NE(m.form->MarqueeText.find("was done on 05/01/2004 ("), std::string::npos) << m.form->MarqueeText;
  ui_test::saveScreenshot(window, std::string("regpack_page_") + page.name);
}

INSTANTIATE_TEST_SUITE_P(Modes, RegPackPageWithUndoCopy,
                         ::testing::Values(PageCase{WindowsVersion::Win95, 1, "95"},
                                           PageCase{WindowsVersion::Win98, 2, "98"},
                                           PageCase{WindowsVersion::WinMe, 3, "me"},
                                           PageCase{WindowsVersion::WinXp, 6, "xp"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegPackPage, TheQuickOrExpandedChoiceIsKeptInTheSettings) {
  MainWindowMachine m(WindowsVersion::Win98, 2);
  corvasta::MainWindow& window = m.showWindow();
  window.showTab(corvasta::kRegPackTab);
  QComboBox* kind = child<QComboBox>(window, "regPackKind");
  kind->setCurrentIndex(1);
  emit kind->activated(1);
  EXPECT_EQ(m.setting("RegPack", "Mode"), "1");
  EXPECT_EQ(m.form->core.Form8.regPackMode, 1);
  kind->setCurrentIndex(0);
  emit kind->activated(0);
  EXPECT_EQ(m.setting("RegPack", "Mode"), "0");
}

QAbstractButton* buttonNamed(QDialog& dialog, const QString& text) {
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible() && button->text().remove('&') == text) return button;
  return nullptr;
}

TEST(RegPackPage, AnXpHiveThatCannotBeReplacedShowsTheWarningList) {
  const std::string undo = "C:\\WINDOWS\\Corvasta\\Undo\\software";
  MainWindowMachine m(WindowsVersion::WinXp, 6, Front::Qt,
                      [&](platform::MachineConfig& config) { config.openFiles.push_back(undo); });
  m.form->core.createDirectories("C:\\WINDOWS\\Corvasta\\Undo");
  m.writeOnHost(undo, "an earlier restore's hive");
  corvasta::MainWindow& window = m.showWindow();
  window.showTab(corvasta::kRegPackTab);
  QPushButton* undoButton = child<QPushButton>(window, "undoRegPackButton");
  EXPECT_FALSE(undoButton->isEnabled());

  QStringList questions, warnings;
  m.qtUi->setDialogHook([&](QDialog& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
      questions << box->text();
      ui_test::saveScreenshot(dialog, "regpack_xp_question");
      buttonNamed(dialog, "Yes")->click();
      return;
    }
    if (qobject_cast<corvasta::WarningList*>(&dialog)) {
      const QListWidget* list = dialog.findChild<QListWidget*>();
      for (int row = 0; list && row < list->count(); ++row) warnings << list->item(row)->text();
      ui_test::saveScreenshot(dialog, "regpack_xp_warning_list");
      buttonNamed(dialog, "No")->click();
      return;
    }
    dialog.reject();
  });
  QTest::mouseClick(child<QPushButton>(window, "regPackButton"), Qt::LeftButton);
  m.qtUi->setDialogHook({});

  ASSERT_EQ(questions.size(), 1) << questions.join(" | ").toStdString();
  EXPECT_TRUE(questions.front().startsWith("RegPack must restart Windows to proceed."));
  ASSERT_FALSE(warnings.isEmpty());
  EXPECT_EQ(warnings.front(), "The following file(s) could not be RegPacked:");
  EXPECT_TRUE(warnings.contains("WARNING - An Error has Occurred - RegPack NOT Successful."));
  EXPECT_EQ(warnings.back(), "Do you want to Restart Windows?");
  EXPECT_TRUE(undoButton->isEnabled()) << "the new registry.zzz enables Undo RegPack";
}

}  // namespace
}  // namespace ui_main_test
