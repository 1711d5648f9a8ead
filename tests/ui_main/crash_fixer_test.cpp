// The Crash Fixer page bound to the restore sources: the list with its
// rewritten items, the menus at the list, the boxes each source enables;
// and its pictures for review, with both menus, in Windows ME and XP.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"

namespace ui_main_test {
namespace {

using corvasta::MainWindow;

// Two program backup sets and a spare registry on the machine.
void addBackups(MainWindowMachine& m) {
  m.write("C:\\B\\Monday\\user0.daz", "x");
  m.write("C:\\B\\Tuesday\\user0.daz", "x");
  m.setSetting("Backup Directories", "1", "C:\\B\\Monday\\");
  m.setSetting("Backup Directories", "2", "C:\\B\\Tuesday\\");
}

TEST(CrashFixerPage, MenusRewriteItemsAndTheBoxesFollowTheSource) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3);
  addBackups(m);
  m.write(m.form->core.loc.windowsDir + "system.cvk", "x");
  m.write(m.form->core.loc.userDir + "user.cvk", "x");
  MainWindow& window = m.showWindow();
  QComboBox* list = child<QComboBox>(window, "restoreSources");
  QCheckBox* otherFiles = child<QCheckBox>(window, "otherFiles");
  ASSERT_TRUE(list && otherFiles);
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(list->itemText(2), "Corvasta Backup - Most Recent Backup");

  m.ui.expect("Corvasta Backups", "Tuesday");
  emit list->activated(2);
  EXPECT_EQ(list->itemText(2), "Corvasta Backup - Tuesday");
  EXPECT_EQ(list->currentIndex(), 2);
  for (const char* box : {"winCrash", "winUsers", "userFiles", "otherFiles"})
    EXPECT_TRUE(child<QCheckBox>(window, box)->isEnabled()) << box;
  otherFiles->click();
  EXPECT_TRUE(m.form->core.otherFiles);

  emit list->activated(1);  // the spare: the registry only
  EXPECT_FALSE(otherFiles->isEnabled());
  EXPECT_TRUE(otherFiles->isChecked());
  EXPECT_TRUE(child<QCheckBox>(window, "winCrash")->isChecked());
  EXPECT_FALSE(child<QLabel>(window, "willRestart")->isHidden());
  EXPECT_FALSE(child<QCheckBox>(window, "winUsers")->isEnabled());
}

TEST(CrashFixerPage, ARefusedSourceMovesTheListOn) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3);
  MainWindow& window = m.showWindow();
  QComboBox* list = child<QComboBox>(window, "restoreSources");
  m.ui.expect("Corvasta Backups Not Available", "OK");
  emit list->activated(2);
  EXPECT_EQ(list->currentIndex(), 3);
  EXPECT_TRUE(child<QCheckBox>(window, "userFiles")->isEnabled());
}

// Shows the page, then each menu in turn at the list, photographed, and
// chooses its item `choice`.
struct MenuShot {
  int listItem;
  const char* name;
  int choice;
};

void photographCrashFixer(MainWindowMachine& m, const std::string& prefix,
                          const std::vector<MenuShot>& menus) {
  MainWindow& window = m.showWindow();
  window.showTab(corvasta::kCrashFixerTab);
  QComboBox* list = child<QComboBox>(window, "restoreSources");
  ui_test::saveScreenshot(window, "crash_fixer_" + prefix);
  for (const MenuShot& shot : menus) {
    bool shown = false;
    m.qtUi->setMenuHook([&](QMenu& menu) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
      shown = true;
      EXPECT_EQ(menu.pos(), list->mapToGlobal(QPoint(0, 0)));
      ui_test::saveScreenshot(menu, "crash_fixer_" + prefix + "_" + shot.name);
      menu.setActiveAction(menu.actions().at(shot.choice));
      QTest::keyClick(&menu, Qt::Key_Return);
    });
    emit list->activated(shot.listItem);
    EXPECT_TRUE(shown) << shot.name;
    EXPECT_EQ(list->currentIndex(), shot.listItem);
    EXPECT_NE(list->itemText(shot.listItem).indexOf(QStringLiteral(" - ")), -1)
        << list->itemText(shot.listItem).toStdString();
  }
  ui_test::saveScreenshot(window, "crash_fixer_" + prefix + "_chosen");
}

TEST(CrashFixerScreenshots, WindowsMe) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3, Front::Qt);
  addBackups(m);
  const std::string cabs = m.form->core.loc.windowsDir + "Sysbckup\\";
  m.write(cabs + "rb001.cab", "1");
  m.write(cabs + "rb002.cab", "2");
  photographCrashFixer(m, "me", {{2, "backups_menu", 2}, {0, "system_menu", 1}});
}

TEST(CrashFixerScreenshots, WindowsXp) {
  MainWindowMachine m(platform::WindowsVersion::WinXp, 6, Front::Qt);
  addBackups(m);
  const std::string kept = m.form->core.loc.systemBackupDir;
  const std::string points = kept.empty() ? "C:\\System Volume Information\\_restore{5D2}\\" : kept;
  m.write(points + "RP1\\Snapshot\\_REGISTRY_MACHINE_SYSTEM", "1");
  m.write(points + "RP2\\Snapshot\\_REGISTRY_MACHINE_SYSTEM", "2");
  photographCrashFixer(m, "xp", {{2, "backups_menu", 1}, {0, "restore_points_menu", 2}});
}

}  // namespace
}  // namespace ui_main_test
