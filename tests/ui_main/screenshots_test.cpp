// Pictures of the main window on every page for review, written to
// $CORVASTA_BUILD_DIR/screenshots/ (the test's own folder without it).

#include <gtest/gtest.h>

#include <QImage>
#include <QTabBar>

#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"

namespace ui_main_test {
namespace {

void photographEveryPage(MainWindowMachine& m, const std::string& prefix) {
  corvasta::MainWindow& window = m.showWindow();
  const QTabBar* tabs = child<QTabBar>(window, "tabBar");
  static const char* const kNames[] = {"backup",   "crashfixer", "regpack", "extractor",
                                       "bootdisk", "repair",     "help"};
  for (int tab = corvasta::kIntroductionPage; tab <= corvasta::kHelpTab; ++tab) {
    if (tab >= 0 && !tabs->isTabVisible(tab)) continue;
    window.showTab(tab);
    const std::string name = tab < 0 ? "intro" : kNames[tab];
    const std::filesystem::path file =
        ui_test::saveScreenshot(window, "main_window_" + prefix + "_" + name);
    const QImage picture(QString::fromStdString(file.string()));
    EXPECT_EQ(picture.size(), QSize(491, 244)) << file;
    // The title bar's red shows: the page was really drawn.
    EXPECT_EQ(picture.pixelColor(300, 4), QColor(176, 24, 24));
  }
}

TEST(MainWindowScreenshots, WindowsMe) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3);
  photographEveryPage(m, "me");
}

TEST(MainWindowScreenshots, WindowsXp) {
  MainWindowMachine m(platform::WindowsVersion::WinXp, 6);
  photographEveryPage(m, "xp");
}

}  // namespace
}  // namespace ui_main_test
