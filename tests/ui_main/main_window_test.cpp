// The main window on sample machines: what the window start sequence shows,
// what the buttons start, and how the window closes.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "platform/system/journal.h"
#include "tests/ui_main/main_window_fixture.h"

namespace ui_main_test {
namespace {

using corvasta::MainWindow;

struct MeWindow : MainWindowMachine {
  MeWindow() : MainWindowMachine(platform::WindowsVersion::WinMe, 3) {}
};

QStringList items(QComboBox* list) {
  QStringList texts;
  for (int index = 0; index < list->count(); ++index) texts << list->itemText(index);
  return texts;
}

TEST(MainWindow, FramelessFixedSizeAndIntroductionFirst) {
  MeWindow m;
  MainWindow& window = m.openWindow();
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.size(), QSize(491, 244));
  EXPECT_EQ(window.windowTitle(), "Corvasta");
  EXPECT_EQ(window.activeTab(), corvasta::kIntroductionPage);
  EXPECT_EQ(child<QToolButton>(window, "minimizeButton")->toolTip(), "Minimize Corvasta");
  EXPECT_EQ(child<QToolButton>(window, "exitButton")->toolTip(), "Exit Corvasta");
  EXPECT_EQ(child<QToolButton>(window, "helpButton")->toolTip(), "Help");
}

TEST(MainWindow, StartSequenceFillsCaptionsAndListsForWindowsMe) {
  MeWindow m;
  m.setSetting("BackupPreferences2", "ConfigName", "Weekly");
  m.setSetting("BackupPreferences2", "Target", "D:\\");
  m.setSetting("BackupPreferences3", "ConfigName", "Nowhere");
  m.setSetting("BackupPreferences", "Config2", "1");
  m.setSetting("RestorePreferences", "WinCrash", "0");
  m.setSetting("RestorePreferences", "UserFiles", "1");
  MainWindow& window = m.showWindow();

  QCheckBox* config2 = child<QCheckBox>(window, "config2");
  EXPECT_EQ(child<QCheckBox>(window, "config1")->text(), "Config 1");
  EXPECT_EQ(config2->text(), "Weekly");
  EXPECT_TRUE(config2->isChecked());
  EXPECT_TRUE(config2->isEnabled());
  // Config 3 has no target: it cannot be backed up.
  EXPECT_EQ(child<QCheckBox>(window, "config3")->text(), "Nowhere");
  EXPECT_FALSE(child<QCheckBox>(window, "config3")->isEnabled());

  EXPECT_EQ(items(child<QComboBox>(window, "restoreSources")),
            QStringList({"WinME Backups", "Spare Registry", "Corvasta Backup - No Backups",
                         "Diskette, CD, Removable Drive", "Original Registry"}));
  EXPECT_FALSE(child<QCheckBox>(window, "winCrash")->isChecked());
  EXPECT_TRUE(child<QCheckBox>(window, "userFiles")->isChecked());
  EXPECT_TRUE(child<QLabel>(window, "willRestart")->isHidden());

  EXPECT_TRUE(child<QComboBox>(window, "regPackKind")->isHidden());
  EXPECT_EQ(child<QPushButton>(window, "thirdRegPackButton")->text(), "&Check the Registry");
  EXPECT_TRUE(child<QComboBox>(window, "bootDiskKinds")->isHidden());
  QTabBar* tabs = child<QTabBar>(window, "tabBar");
  EXPECT_FALSE(tabs->isTabVisible(corvasta::kRepairTab));
  EXPECT_TRUE(tabs->isTabVisible(corvasta::kHelpTab));
}

TEST(MainWindow, RepairTabInWindowsNt4) {
  MainWindowMachine m(platform::WindowsVersion::Nt4, 4);
  MainWindow& window = m.showWindow();
  EXPECT_TRUE(child<QTabBar>(window, "tabBar")->isTabVisible(corvasta::kRepairTab));
  EXPECT_EQ(child<QLabel>(window, "setupDisksTitle")->text(),
            "Creates the 3 WinNT Setup diskettes");
  EXPECT_FALSE(child<QPushButton>(window, "repairDiskButton")->isHidden());
  EXPECT_EQ(items(child<QComboBox>(window, "bootDiskKinds")),
            QStringList({"NT Boot Disk", "DOS Boot Disk"}));
}

TEST(MainWindow, LaterOperationsAreShownDisabledWithTheReason) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  for (const char* name : {"bootDiskButton", "backupWizardButton"}) {
    QPushButton* button = child<QPushButton>(window, name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_FALSE(button->isEnabled()) << name;
    EXPECT_TRUE(button->toolTip().contains("not available yet")) << name;
  }
  EXPECT_TRUE(child<QPushButton>(window, "backupButton")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "restoreButton")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "regPackButton")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "extractorButton")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(window, "extractorButton")->toolTip().isEmpty());
  // The Preferences dialog is there: both of its buttons open it.
  for (const char* name : {"changePropertiesButton", "preferencesButton"}) {
    EXPECT_TRUE(child<QPushButton>(window, name)->isEnabled()) << name;
    EXPECT_TRUE(child<QPushButton>(window, name)->toolTip().isEmpty()) << name;
  }
}

TEST(MainWindow, TabsOpenTheirPagesAndHelpFollowsThePage) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  m.write("C:\\WINDOWS\\WINHLP32.EXE", "viewer");
  QTabBar* tabs = child<QTabBar>(window, "tabBar");
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(corvasta::kRegPackTab).center());
  EXPECT_EQ(window.activeTab(), corvasta::kRegPackTab);
  QTest::mouseClick(child<QToolButton>(window, "helpButton"), Qt::LeftButton);
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_NE(m.startedPrograms()[0].find("-i Topic41"), std::string::npos);
}

QAction* troubleshooterAction(MainWindow& window, int item) {
  QMenu* menu = child<QMenu>(window, "troubleshooterMenu");
  return menu ? child<QAction>(*menu, ("troubleshooter" + std::to_string(item)).c_str()) : nullptr;
}

TEST(MainWindow, TroubleshooterMenuOpensTheChosenItem) {
  MainWindowMachine m(platform::WindowsVersion::WinXp, 6);
  MainWindow& window = m.showWindow();
  QAction* printing = troubleshooterAction(window, 14);
  ASSERT_NE(printing, nullptr);
  EXPECT_EQ(printing->text(), QStringLiteral("Printing"));
  EXPECT_TRUE(printing->isVisible());
  ASSERT_NE(troubleshooterAction(window, 13), nullptr);
  EXPECT_FALSE(troubleshooterAction(window, 13)->isVisible());

  const std::string help = m.form->core.loc.windowsDir + "Help\\";
  m.write(help + "tshoot.chm", "chm");
  m.write(m.form->core.loc.windowsDir + "HH.EXE", "viewer");
  printing->trigger();
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_NE(m.startedPrograms()[0].find("tshoot.chm::/tsprint_result.htm"), std::string::npos)
      << m.startedPrograms()[0];
}

// A viewer that cannot be started (here: the machine's journal cannot be
// written) is reported like every other failed operation; the window goes on.
TEST(MainWindow, TroubleshooterThatFailsToStartIsReported) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  m.write(m.form->core.loc.windowsDir + "Help\\tshoot00.chm", "chm");
  m.write(m.form->core.loc.windowsDir + "HH.EXE", "viewer");
  const std::filesystem::path journal = platform::journalFile(*m.machine);
  std::filesystem::remove(journal);
  std::filesystem::create_directory(journal);
  m.ui.expect("Unable to write to", "OK");
  QAction* safeMode = troubleshooterAction(window, 26);
  ASSERT_NE(safeMode, nullptr);
  safeMode->trigger();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(window.isVisible());
  std::filesystem::remove(journal);
}

TEST(MainWindow, BackupRunsTheCheckedConfigsInOrder) {
  MeWindow m;
  m.setSetting("BackupPreferences3", "Target", "C:\\Backup3\\");
  m.setSetting("BackupPreferences", "Config3", "1");
  MainWindow& window = m.showWindow();
  m.ui.expect("Type Name of this Backup:", "One");
  m.ui.expect("Type Name of this Backup:", "Three");
  m.ui.expect("Backup Finished", "OK");
  QTest::mouseClick(child<QPushButton>(window, "backupButton"), Qt::LeftButton);
  EXPECT_TRUE(m.ui.finished());
  // One entry of results.txt holds both configs in the order they ran.
  const std::string results =
      testing_support::readFile(m.host(m.form->core.loc.programDir + "results.txt"));
  const size_t first = results.find(">>> Back up of Config1 started");
  const size_t third = results.find(">>> Back up of Config3 started");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(third, std::string::npos);
  EXPECT_LT(first, third);
  EXPECT_EQ(results.find("Config2 started"), std::string::npos);
  EXPECT_TRUE(window.isVisible());
}

TEST(MainWindow, BackupWithoutCheckedConfigAsksForOne) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  child<QCheckBox>(window, "config1")->setChecked(false);
  m.ui.expect("At least one of the Configs must be checked.", "OK");
  QTest::mouseClick(child<QPushButton>(window, "backupButton"), Qt::LeftButton);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.form->core.ActivityLog.find(">>> Back up"), std::string::npos);
}

TEST(MainWindow, CloseAfterBackupEndsTheProgram) {
  MeWindow m;
  m.setSetting("BackupPreferences1", "CloseAfterBackup", "1");
  MainWindow& window = m.showWindow();
  m.ui.expect("Type Name of this Backup:", "One");
  QTest::mouseClick(child<QPushButton>(window, "backupButton"), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
}

TEST(MainWindow, RightClickOnMinimizeStartsAFreshTrace) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  const std::string trace = m.form->core.loc.programDir + "cdlogs.txt";
  m.write(trace, "old trace\r\n");
  QToolButton* minimize = child<QToolButton>(window, "minimizeButton");
  QTest::mouseClick(minimize, Qt::RightButton);
  EXPECT_FALSE(m.exists(trace));
  EXPECT_TRUE(m.form->core.CDTrace);
  EXPECT_TRUE(window.isVisible());
  m.form->core.CDBurnerDebugMessage("after");
  EXPECT_EQ(testing_support::readFile(m.host(trace)), "after\r\n");
}

TEST(MainWindow, ExitClosesAndSavesTheSettings) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  m.setSetting("AutoStart", "switch", "1");
  child<QCheckBox>(window, "config1")->setChecked(false);
  QTest::mouseClick(child<QPushButton>(window, "exitLeftButton"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(m.form->terminateRequested);
  EXPECT_EQ(m.setting("BackupPreferences", "Config1"), "0");
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
}

TEST(MainWindow, TitleBarExitCloses) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  QTest::mouseClick(child<QToolButton>(window, "exitButton"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, CloseRefusedWhileTheRegistryIsBusy) {
  MeWindow m;
  MainWindow& window = m.showWindow();
  m.form->core.RegistryBusy = true;
  child<QCheckBox>(window, "config2")->setChecked(true);
  m.ui.expect("Closing Corvasta now could crash Windows", "OK");
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  // Nothing was saved by the refused close.
  EXPECT_EQ(m.setting("BackupPreferences", "Config2"), "@");
  m.form->core.RegistryBusy = false;
  EXPECT_TRUE(window.close());
  EXPECT_EQ(m.setting("BackupPreferences", "Config2"), "1");
}

}  // namespace
}  // namespace ui_main_test
