// "&Backup" on a sample Windows ME machine with the real Qt front end: the
// run shows the progress window and ends with the "Backup Finished" message.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui_main/main_window_fixture.h"
#include "ui/ProgressWindow.h"

namespace ui_main_test {
namespace {

TEST(MainWindowBackup, ConfigOneRunsThroughTheProgressWindowAndFinishes) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3, Front::Qt);
  QStringList messages;
  m.qtUi->setDialogHook([&](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (!box) {
      // The backup's name: the one offered.
      messages << dialog.windowTitle();
      dialog.accept();
      return;
    }
    messages << box->text();
    box->defaultButton() ? box->defaultButton()->click() : box->buttons().front()->click();
  });
  corvasta::MainWindow& window = m.showWindow();
  ASSERT_TRUE(child<QCheckBox>(window, "config1")->isChecked());

  // The progress window is watched while the run lets the events through.
  QStringList progressTexts;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    corvasta::ProgressWindow& progress = m.qtUi->progressWindow();
    if (progress.isVisible() && !progressTexts.contains(progress.statusText()))
      progressTexts << progress.statusText();
  });
  watch.start(0);
  QTest::mouseClick(child<QPushButton>(window, "backupButton"), Qt::LeftButton);
  watch.stop();

  ASSERT_FALSE(messages.isEmpty());
  EXPECT_TRUE(messages.back().startsWith("Backup Finished")) << messages.join(" | ").toStdString();
  EXPECT_FALSE(progressTexts.isEmpty());
  EXPECT_FALSE(m.qtUi->progressWindow().isVisible());
  EXPECT_NE(m.setting("Last Backup", "Year"), "@");
  // The status line now tells of the backup.
  EXPECT_EQ(m.form->MarqueeText.rfind("Last Backup made on 07/30/2004 (Today)", 0), 0u)
      << m.form->MarqueeText;
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace ui_main_test
