// The caption-bar buttons: hints, one signal per button, the right mouse
// button on Minimize as a signal of its own (a left click is not one, nor a
// right button released away from it); the main window's title bar uses
// them with its own hints. A picture of the title bar.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/qt_test_app.h"
#include "tests/ui_support/screenshot.h"
#include "ui/CaptionButtons.h"

namespace ui_main_test {
namespace {

using corvasta::CaptionButtons;

TEST(CaptionButtons, EachButtonHasItsHintAndSignal) {
  ui_test::qtTestApp();
  CaptionButtons::Hints hints;
  hints.help = QStringLiteral("Help on this page");
  CaptionButtons buttons(hints);
  buttons.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&buttons));
  QToolButton* help = child<QToolButton>(buttons, "helpButton");
  QToolButton* minimize = child<QToolButton>(buttons, "minimizeButton");
  QToolButton* exit = child<QToolButton>(buttons, "exitButton");
  ASSERT_TRUE(help && minimize && exit);
  EXPECT_EQ(help->toolTip(), "Help on this page");
  EXPECT_EQ(minimize->toolTip(), "Minimize");
  EXPECT_EQ(exit->toolTip(), "Exit");
  for (QToolButton* button : {help, minimize, exit}) {
    EXPECT_TRUE(button->autoRaise());
    EXPECT_FALSE(button->icon().isNull());
  }

  QSignalSpy helped(&buttons, &CaptionButtons::helpClicked);
  QSignalSpy minimized(&buttons, &CaptionButtons::minimizeClicked);
  QSignalSpy rightClicked(&buttons, &CaptionButtons::minimizeRightClicked);
  QSignalSpy exited(&buttons, &CaptionButtons::exitClicked);
  QTest::mouseClick(help, Qt::LeftButton);
  QTest::mouseClick(minimize, Qt::LeftButton);
  QTest::mouseClick(minimize, Qt::LeftButton);
  QTest::mouseClick(exit, Qt::LeftButton);
  EXPECT_EQ(helped.count(), 1);
  EXPECT_EQ(minimized.count(), 2);
  EXPECT_EQ(exited.count(), 1);
  EXPECT_EQ(rightClicked.count(), 0);

  QTest::mouseClick(minimize, Qt::RightButton);
  EXPECT_EQ(rightClicked.count(), 1);
  EXPECT_EQ(minimized.count(), 2);
  // Pressed on Minimize, released beside it: no click.
  QTest::mousePress(minimize, Qt::RightButton);
  QTest::mouseRelease(minimize, Qt::RightButton, {}, QPoint(-5, -5));
  EXPECT_EQ(rightClicked.count(), 1);
  EXPECT_EQ(exited.count(), 1);
}

TEST(CaptionButtons, TheMainWindowTitleBarUsesThemWithItsHints) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3);
  corvasta::MainWindow& window = m.showWindow();
  auto* buttons = child<CaptionButtons>(window, "captionButtons");
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(child<QToolButton>(*buttons, "helpButton")->toolTip(), "Help");
  EXPECT_EQ(child<QToolButton>(*buttons, "minimizeButton")->toolTip(), "Minimize Corvasta");
  EXPECT_EQ(child<QToolButton>(*buttons, "exitButton")->toolTip(), "Exit Corvasta");
  ui_test::saveScreenshot(*child<QWidget>(window, "titleBar"), "caption-buttons");
}

}  // namespace
}  // namespace ui_main_test
