// The About screen: its status line tells of the last backup and shows the
// hints of the controls under the mouse.

#include "ui/About.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QStatusTipEvent>

#include "tests/ui_main/main_window_fixture.h"

namespace ui_main_test {
namespace {

struct AboutMachine : MainWindowMachine {
  AboutMachine() : MainWindowMachine(platform::WindowsVersion::WinMe, 3) {
    EXPECT_TRUE(form->RunEntrySequence({}));
    form->FormShow();
  }
};

TEST(About, WelcomesBeforeTheFirstBackup) {
  AboutMachine m;
  corvasta::AboutDialog about(*m.form);
  EXPECT_EQ(about.statusText(), "Welcome to Corvasta");
  EXPECT_EQ(child<QLabel>(about, "aboutVersion")->text(), "Version 1.08.25  7/30/2004");
}

TEST(About, LastBackupDateAndAge) {
  AboutMachine m;
  m.setSetting("Last Backup", "Year", "2004");
  m.setSetting("Last Backup", "Month", "7");
  m.setSetting("Last Backup", "Day", "29");
  EXPECT_EQ(corvasta::aboutStatusText(*m.form), "Last Backup 07/29/2004 (1 day ago)");
  m.setSetting("Last Backup", "Day", "27");
  EXPECT_EQ(corvasta::aboutStatusText(*m.form), "Last Backup 07/27/2004 (3 days ago)");
}

TEST(About, HintsReplaceTheStatusWhileShown) {
  AboutMachine m;
  corvasta::AboutDialog about(*m.form);
  QStatusTipEvent hint(QStringLiteral("Close this screen."));
  QCoreApplication::sendEvent(&about, &hint);
  EXPECT_EQ(about.statusText(), "Close this screen.");
  QStatusTipEvent none{QString()};
  QCoreApplication::sendEvent(&about, &none);
  EXPECT_EQ(about.statusText(), "Welcome to Corvasta");
}

}  // namespace
}  // namespace ui_main_test
