// Registry restores through the real Qt front end, in Windows ME and XP: the
// question before the Original Registry is restored, the progress window
// while the registry is restored, and how the run ends: a restore without
// errors announces the restart, one that listed errors asks whether to
// restart. Each is looked at and photographed for review.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"
#include "ui/ProgressWindow.h"
#include "ui/WarningList.h"

namespace ui_main_test {
namespace {

QAbstractButton* buttonNamed(QDialog& dialog, const QString& text) {
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible() && button->text().remove('&') == text) return button;
  return nullptr;
}

// What the run showed, in order.
struct Shown {
  QStringList messages;
  bool question = false;
  bool progress = false;
  QStringList restartList;
  QString summary;  // the last message, the run's summary
};

// Chooses list item `item` and presses "&3. Restore"; message boxes get their
// default button, the Original Registry question Yes, the warning list No.
Shown pressRestore(MainWindowMachine& m, int item, const std::string& prefix) {
  Shown shown;
  const std::string name = "crash_fixer_" + prefix + "_";
  m.qtUi->setDialogHook([&](QDialog& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
      shown.messages << box->text();
      if (box->text().startsWith("Are you sure you want to Restore to the Original Registry?")) {
        shown.question = true;
        ui_test::saveScreenshot(dialog, name + "original_registry_question");
        buttonNamed(dialog, "Yes")->click();
        return;
      }
      shown.summary = box->text();
      if (shown.summary.contains("Windows Will Now Restart"))
        ui_test::saveScreenshot(dialog, name + "restart_announced");
      box->defaultButton() ? box->defaultButton()->click() : box->buttons().front()->click();
      return;
    }
    if (qobject_cast<corvasta::WarningList*>(&dialog)) {
      const QListWidget* list = dialog.findChild<QListWidget*>();
      for (int row = 0; list && row < list->count(); ++row)
        shown.restartList << list->item(row)->text();
      ui_test::saveScreenshot(dialog, name + "restart_question");
      if (QAbstractButton* no = buttonNamed(dialog, "No")) no->click();
      return;
    }
    dialog.accept();  // the name of a backup: the one offered
  });

  corvasta::MainWindow& window = m.showWindow();
  window.showTab(corvasta::kCrashFixerTab);
  QComboBox* list = child<QComboBox>(window, "restoreSources");
  emit list->activated(item);
  EXPECT_EQ(list->currentIndex(), item);

  m.qtUi->setProgressHook([&](corvasta::ProgressWindow& progress) {
    if (shown.progress || !progress.isVisible() || progress.statusText() != "Restoring Registry")
      return;
    shown.progress = true;
    ui_test::saveScreenshot(progress, name + "restoring_registry");
  });
  QTest::mouseClick(child<QPushButton>(window, "restoreButton"), Qt::LeftButton);
  m.qtUi->setProgressHook({});
  return shown;
}

void expectTheRestartQuestion(const Shown& shown) {
  ASSERT_FALSE(shown.restartList.isEmpty()) << shown.messages.join(" | ").toStdString();
  EXPECT_EQ(shown.restartList.back(), "Do you want to Restart Windows?");
  EXPECT_TRUE(shown.restartList.contains("If any keys were successfully restored, "));
}

constexpr int kOriginalRegistry = 4;
constexpr int kSpareRegistry = 1;

TEST(CrashFixerRestoreScreenshots, WindowsMeOriginalRegistry) {
  MainWindowMachine m(platform::WindowsVersion::WinMe, 3, Front::Qt);
  // Windows ME's original registry is the first start's system.1st alone;
  // nothing fails, so the run does not ask but says that Windows restarts.
  const Shown shown = pressRestore(m, kOriginalRegistry, "me");
  EXPECT_TRUE(shown.question) << shown.messages.join(" | ").toStdString();
  EXPECT_TRUE(shown.progress) << "the progress window at \"Restoring Registry\"";
  EXPECT_TRUE(shown.restartList.isEmpty()) << shown.restartList.join(" | ").toStdString();
  EXPECT_TRUE(shown.summary.endsWith("Please quit all applications.  Windows Will Now Restart"))
      << shown.summary.toStdString();
  EXPECT_TRUE(m.exists(m.form->core.loc.winbootdir + "wininit.ini"));
}

TEST(CrashFixerRestoreScreenshots, WindowsXpWithoutTheRestorePrivilege) {
  MainWindowMachine m(
      platform::WindowsVersion::WinXp, 6, Front::Qt, [](platform::MachineConfig& config) {
        std::erase_if(config.privileges,
                      [](const std::string& name) { return name == "SeRestorePrivilege"; });
      });
  corvasta::MainWindow& window = m.showWindow();
  // Config 1's backup leaves the spare registry.daz in the Windows directory.
  m.qtUi->setDialogHook([](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (!box) return dialog.accept();
    box->defaultButton() ? box->defaultButton()->click() : box->buttons().front()->click();
  });
  QTest::mouseClick(child<QPushButton>(window, "backupButton"), Qt::LeftButton);
  ASSERT_TRUE(m.exists(m.form->core.loc.windowsDir + "registry.daz"));

  // The repair folder's hives: each refused, so the run asks.
  const Shown original = pressRestore(m, kOriginalRegistry, "xp");
  EXPECT_TRUE(original.question) << original.messages.join(" | ").toStdString();
  EXPECT_TRUE(original.messages.contains(
      "You do not have Restore Privileges.  Restore is not possible for this user."));
  expectTheRestartQuestion(original);
  // The spare registry is unpacked while the window says so.
  const Shown spare = pressRestore(m, kSpareRegistry, "xp_spare");
  EXPECT_TRUE(spare.progress) << "the progress window at \"Restoring Registry\"";
  expectTheRestartQuestion(spare);
}

}  // namespace
}  // namespace ui_main_test
