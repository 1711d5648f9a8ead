// The Qt front end's pop-up menus: a disabled item is shown greyed and
// cannot be chosen.

#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "tests/ui_main/main_window_fixture.h"

namespace ui_main_test {
namespace {

TEST(QtPopupMenu, ADisabledItemCannotBeChosen) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3, Front::Qt);
  m.showWindow();
  std::vector<bool> shownEnabled;
  m.qtUi->setMenuHook([&](QMenu& menu) {
    for (QAction* action : menu.actions()) shownEnabled.push_back(action->isEnabled());
    // Return on the disabled item chooses nothing; Escape then closes the menu.
    menu.setActiveAction(menu.actions().at(2));
    QTest::keyClick(&menu, Qt::Key_Return);
    if (menu.isVisible()) QTest::keyClick(&menu, Qt::Key_Escape);
  });
  const std::optional<size_t> chosen = m.qtUi->popupMenu(
      "&Temp", {"C:\\TEMP\\", "&Browse", "&Default Directory"}, {true, true, false});
  EXPECT_EQ(shownEnabled, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(chosen, std::nullopt);
}

}  // namespace
}  // namespace ui_main_test
