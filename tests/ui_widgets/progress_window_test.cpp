// The progress window bound to the main window's logic: what it shows, and
// its Cancel and Minimize pressed while an operation runs.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "tests/ui_support/screenshot.h"
#include "tests/ui_widgets/ui_fixture.h"
#include "ui/ProgressWindow.h"
#include "ui/ProgressWindowAnimation.h"

namespace ui_test {
namespace {

class ProgressWindowTest : public UiFixture {
 protected:
  corvasta::ProgressWindow& window() { return ui.progressWindow(); }

  // An operation as the logic runs one: steps that update the window and
  // let the front end process messages, stopping at the cancel request.
  // `duringStep` runs before each step's messages are processed. Returns
  // the steps done.
  int runOperation(int steps, const std::function<void(int step)>& duringStep) {
    corvasta::TForm1& f = form();
    f.core.ShowProgressForm(true, "Backing Up");
    int done = 0;
    for (int step = 1; step <= steps && !f.core.CancelRequest; ++step) {
      f.core.Form4.view.status = "Backing up file " + std::to_string(step);
      f.core.Form4.view.overall = step * 100 / steps;
      f.core.Form4.view.percent = std::to_string(f.core.Form4.view.overall) + "%";
      ui.showProgress(f.core.Form4.view);
      if (duringStep) duringStep(step);
      ui.processMessages();
      done = step;
    }
    f.core.ShowProgressForm(false, "");
    return done;
  }

  // Clicks a button of the progress window from the event loop, as a user
  // would while the operation processes messages.
  void clickSoon(QPushButton& button) {
    QTimer::singleShot(0, &button, [&button] { QTest::mouseClick(&button, Qt::LeftButton); });
  }
};

TEST_F(ProgressWindowTest, BeforeAnyOperation) {
  EXPECT_FALSE(window().isVisible());
  EXPECT_EQ(window().windowTitle(), "Please Wait");
  EXPECT_EQ(window().statusText(), "Waiting");
  EXPECT_EQ(window().cancelButton().text(), "&Cancel");
  EXPECT_EQ(window().minimizeButton().text(), "Minimize");
  EXPECT_TRUE(window().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(window().windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(ProgressWindowTest, ShowsTheModelsStatusAndGauges) {
  corvasta::TForm1& f = form();
  f.core.ShowProgressForm(true, "Backing Up");
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().windowTitle(), "Backing Up");
  EXPECT_TRUE(window().animation().running());
  EXPECT_TRUE(ui.busyCursor());

  f.core.Form4.view.status = "Zipping C:\\WINDOWS\\SYSTEM.DAT";
  f.core.Form4.view.overall = 40;
  f.core.Form4.view.itemMax = 8;
  f.core.Form4.view.item = 6;
  f.core.Form4.view.percent = "40%";
  ui.showProgress(f.core.Form4.view);
  EXPECT_EQ(window().statusText(), "Zipping C:\\WINDOWS\\SYSTEM.DAT");
  EXPECT_EQ(window().overallGauge().value(), 40);
  EXPECT_EQ(window().overallGauge().maximum(), 100);
  EXPECT_EQ(window().itemGauge().value(), 6);
  EXPECT_EQ(window().itemGauge().maximum(), 8);
  EXPECT_EQ(window().percentText(), "40%");
  EXPECT_TRUE(window().findChild<QLabel*>("percent")->alignment() & Qt::AlignRight);

  // Values out of range stay inside the gauge; a maximum of 0 is no busy bar.
  f.core.Form4.view.overall = 250;
  f.core.Form4.view.itemMax = 0;
  ui.showProgress(f.core.Form4.view);
  EXPECT_EQ(window().overallGauge().value(), 100);
  EXPECT_EQ(window().itemGauge().maximum(), 1);

  const std::string title = ui.applicationTitle();
  f.core.ShowProgressForm(false, "");
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(window().animation().running());
  EXPECT_FALSE(ui.busyCursor());
  EXPECT_EQ(ui.applicationTitle(), title);  // an empty caption leaves the title
  f.core.ShowProgressForm(false, "Corvasta ME - Backup Complete");
  EXPECT_EQ(ui.applicationTitle(), "Corvasta ME - Backup Complete");
  EXPECT_EQ(mainWindow.windowTitle(), "Corvasta ME - Backup Complete");
}

TEST_F(ProgressWindowTest, TheAnimationRunsWhileMessagesAreProcessed) {
  form().core.ShowProgressForm(true, "");
  const int start = window().animation().frame();
  QTest::qWait(400);
  EXPECT_GT(window().animation().frame(), start);
  form().core.ShowProgressForm(false, "");
}

TEST_F(ProgressWindowTest, CancelStopsTheOperationAndIsCountedOnce) {
  const int done = runOperation(20, [&](int step) {
    if (step == 5) {
      // Two presses before the operation reaches its next check point.
      clickSoon(window().cancelButton());
      clickSoon(window().cancelButton());
    }
  });
  EXPECT_EQ(done, 5);
  EXPECT_TRUE(form().core.ErrorFlag);
  EXPECT_EQ(form().core.ErrorList, std::vector<std::string>{"User Cancelled"});
  // Cancel stops both archive engines at their next file.
  EXPECT_TRUE(form().core.Zip1.Cancel);
  EXPECT_TRUE(form().core.Zip2.Cancel);

  // The next operation may be cancelled again.
  runOperation(3, [&](int step) {
    if (step == 2) clickSoon(window().cancelButton());
  });
  EXPECT_EQ(form().core.ErrorList.size(), 2u);
}

TEST_F(ProgressWindowTest, CancelWhileTheRegistryIsBusyOnlyExplains) {
  answerWith("OK");
  const int done = runOperation(6, [&](int step) {
    form().core.RegistryBusy = step >= 2 && step <= 4;
    if (step == 3) clickSoon(window().cancelButton());
  });
  EXPECT_EQ(done, 6);  // the operation went on
  EXPECT_FALSE(form().core.CancelRequest);
  EXPECT_TRUE(form().core.ErrorList.empty());
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(captions[0], "Corvasta ME");
}

TEST_F(ProgressWindowTest, MinimizeMinimisesTheProgramUntilTheOperationEnds) {
  bool minimizedDuring = false;
  runOperation(4, [&](int step) {
    if (step == 2) clickSoon(window().minimizeButton());
    if (step == 4) minimizedDuring = form().core.Minimized && mainWindow.isMinimized();
  });
  EXPECT_TRUE(minimizedDuring);
  EXPECT_FALSE(form().core.Minimized);
  EXPECT_FALSE(mainWindow.isMinimized());
}

TEST_F(ProgressWindowTest, TheUserCannotCloseIt) {
  form().core.ShowProgressForm(true, "");
  // A close request through the window (as Alt+F4 arrives) is refused.
  ASSERT_NE(window().windowHandle(), nullptr);
  window().windowHandle()->close();
  EXPECT_TRUE(window().isVisible());
  form().core.ShowProgressForm(false, "");
  EXPECT_FALSE(window().isVisible());
}

TEST_F(ProgressWindowTest, ScreenshotMidRun) {
  corvasta::TForm1& f = form();
  f.core.ShowProgressForm(true, "Backing Up");
  f.core.Form4.view.status = "Backing up C:\\My Documents\\Letters\\";
  f.core.Form4.view.overall = 62;
  f.core.Form4.view.item = 35;
  f.core.Form4.view.percent = "62%";
  ui.showProgress(f.core.Form4.view);
  QTest::qWait(250);
  const auto file = saveScreenshot(window(), "progress_window");
  EXPECT_GT(std::filesystem::file_size(file), 1000u);
  f.core.ShowProgressForm(false, "");
}

}  // namespace
}  // namespace ui_test
