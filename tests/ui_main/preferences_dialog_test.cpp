// The Preferences dialog through the real Qt front end on the 95, ME and XP
// samples: opened from the main window's two buttons, the mode's tree, "O K",
// "Cancel" and "&Apply" read back from the settings file, handlers reached
// through their widgets, and pictures of every page.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "prefs/Unit8.h"
#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"
#include "ui/PreferencesDialog.h"

namespace ui_main_test {
namespace {

using corvasta::PreferencesDialog;
using corvasta::PrefsPage;
using corvasta::PropertiesTab;
using platform::WindowsVersion;

// The dialog over the main window of a sample; message boxes are read and
// answered "Yes" where they ask, "OK" otherwise.
struct PrefsWindow {
  PrefsWindow(WindowsVersion version, int windowsMode) : m(version, windowsMode, Front::Qt) {
    m.showWindow();
    m.qtUi->setDialogHook([this](QDialog& shown) { answer(shown); });
  }
  ~PrefsWindow() {
    dialog.reset();
    m.qtUi->setDialogHook({});
  }

  void answer(QDialog& shown) {
    auto* box = qobject_cast<QMessageBox*>(&shown);
    if (!box) return shown.reject();
    messages << box->text();
    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) return yes->click();
    box->buttons().front()->click();
  }

  PreferencesDialog& open(PrefsPage page, PropertiesTab tab = PropertiesTab::Introduction) {
    form().ShowPage(page, tab);
    dialog.reset();
    dialog = std::make_unique<PreferencesDialog>(form(), m.window.get());
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return *dialog;
  }
  corvasta::TForm8& form() { return m.form->preferences; }
  template <typename Widget>
  Widget& widget(const char* name) {
    auto* found = child<Widget>(*dialog, name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  QString shownPage() { return widget<QStackedWidget>("pages").currentWidget()->objectName(); }
  QStringList treeTexts() {
    QStringList texts;
    for (QTreeWidgetItemIterator it(&widget<QTreeWidget>("tree")); *it; ++it)
      texts << (*it)->text(0);
    return texts;
  }
  // Clicked near its left edge: a check box's text ends before a wide box does.
  void click(const char* name) {
    QAbstractButton& button = widget<QAbstractButton>(name);
    QTest::mouseClick(&button, Qt::LeftButton, {},
                      QPoint(std::min(8, button.width() / 2), button.height() / 2));
  }
  // A node of the tree clicked as the user does.
  void choose(const QString& node) {
    QTreeWidget& tree = widget<QTreeWidget>("tree");
    const QList<QTreeWidgetItem*> found =
        tree.findItems(node, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << node.toStdString();
    tree.scrollToItem(found.front());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      tree.visualItemRect(found.front()).center());
  }
  void registerSets(const std::vector<std::string>& sets) {
    for (size_t i = 0; i < sets.size(); ++i) {
      m.form->core.createDirectories(sets[i]);
      m.write(sets[i] + "autoexec.baz", "x");
      m.setSetting("Backup Directories", std::to_string(i + 1), sets[i]);
    }
  }

  MainWindowMachine m;
  std::unique_ptr<PreferencesDialog> dialog;
  QStringList messages;
};

// Runs `inspect` on the modal dialog a click on the main window's `button` opens.
void openFromMainWindow(PrefsWindow& w, const char* button,
                        const std::function<void(PreferencesDialog&)>& inspect) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    seen = true;
    inspect(*shown);
    QTest::mouseClick(child<QPushButton>(*shown, "cancelButton"), Qt::LeftButton);
  });
  QTest::mouseClick(child<QPushButton>(*w.m.window, button), Qt::LeftButton);
  EXPECT_TRUE(seen);
}

TEST(PreferencesDialog, MainWindowButtonsOpenTheirPagesAndClosingRefreshesTheConfigBoxes) {
  PrefsWindow w(WindowsVersion::WinMe, 3);
  openFromMainWindow(w, "changePropertiesButton", [](PreferencesDialog& shown) {
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Corvasta Preferences"));
    EXPECT_TRUE(shown.isModal());
    EXPECT_EQ(child<QStackedWidget>(shown, "pages")->currentWidget()->objectName(),
              QStringLiteral("backupPropertiesPage"));
    auto* tabs = child<QTabWidget>(shown, "propertiesTabs");
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("introductionTab"));
    EXPECT_FALSE(child<QPushButton>(shown, "applyButton")->isEnabled());
    // A renamed config shows in the main window while the dialog is open.
    QTest::keyClicks(child<QComboBox>(shown, "configList")->lineEdit(), QStringLiteral("X"));
  });
  EXPECT_EQ(child<QCheckBox>(*w.m.window, "config1")->text(), QStringLiteral("Config 1"))
      << "Cancel brings the stored name back";
  openFromMainWindow(w, "preferencesButton", [](PreferencesDialog& shown) {
    EXPECT_EQ(child<QStackedWidget>(shown, "pages")->currentWidget()->objectName(),
              QStringLiteral("backupManagerPage"));
  });
}

TEST(PreferencesDialog, TreeFollowsTheWindowsMode) {
  struct Case {
    WindowsVersion version;
    int mode;
    const char* systemNode;
  };
  for (const Case& c :
       {Case{WindowsVersion::Win95, 1, nullptr}, Case{WindowsVersion::WinMe, 3, "WinME Backups"},
        Case{WindowsVersion::WinXp, 6, "WinXP Restore Points"}}) {
    PrefsWindow w(c.version, c.mode);
    w.open(PrefsPage::BackupManager);
    const QStringList texts = w.treeTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Misc. CD")) == false);
    for (const char* other : {"WinME Backups", "WinXP Restore Points", "Win98 Backups"})
      EXPECT_EQ(texts.contains(QString::fromLatin1(other)),
                c.systemNode && std::string(other) == c.systemNode)
          << other << " in mode " << c.mode;
    // The Backup Properties node is open at activation.
    EXPECT_TRUE(w.widget<QTreeWidget>("tree")
                    .findItems(QStringLiteral("Backup Properties"), Qt::MatchExactly)[0]
                    ->isExpanded());
    w.choose(QStringLiteral("Automation"));
    EXPECT_EQ(w.shownPage(), QStringLiteral("automationPage"));
    w.choose(QStringLiteral("Other Files"));
    EXPECT_EQ(w.shownPage(), QStringLiteral("backupPropertiesPage"));
    EXPECT_EQ(w.widget<QTabWidget>("propertiesTabs").currentWidget()->objectName(),
              QStringLiteral("otherFilesTab"));
  }
}

TEST(PreferencesDialog, ApplyOkAndCancelWithAMiscCheckBox) {
  PrefsWindow w(WindowsVersion::WinMe, 3);
  const std::string before = w.m.setting("BackupPreferences1", "CloseAfterBackup");
  const bool wasOn = before == "1";
  w.open(PrefsPage::BackupProperties, PropertiesTab::Misc);
  EXPECT_FALSE(w.widget<QPushButton>("applyButton").isEnabled());
  w.click("closeAfterBox");
  EXPECT_EQ(w.form().core.Form8.config.closeAfterBackup, !wasOn);
  EXPECT_TRUE(w.widget<QPushButton>("applyButton").isEnabled());
  w.click("applyButton");
  EXPECT_FALSE(w.widget<QPushButton>("applyButton").isEnabled());
  EXPECT_EQ(w.m.setting("BackupPreferences1", "CloseAfterBackup"), wasOn ? "0" : "1");

  // Cancel drops a change that was not applied, in the form and on disk.
  w.click("closeAfterBox");
  w.click("cancelButton");
  EXPECT_FALSE(w.dialog->isVisible());
  EXPECT_EQ(w.form().core.Form8.config.closeAfterBackup, !wasOn);
  EXPECT_EQ(w.m.setting("BackupPreferences1", "CloseAfterBackup"), wasOn ? "0" : "1");

  // "O K" writes and closes.
  w.open(PrefsPage::BackupProperties, PropertiesTab::Misc);
  w.click("closeAfterBox");
  w.click("okButton");
  EXPECT_FALSE(w.dialog->isVisible());
  EXPECT_EQ(w.m.setting("BackupPreferences1", "CloseAfterBackup"), wasOn ? "1" : "0");
}

TEST(PreferencesDialog, PasswordIsMaskedAndBlockFieldTakesDigitsOnly) {
  PrefsWindow w(WindowsVersion::WinXp, 6);
  w.open(PrefsPage::BackupProperties, PropertiesTab::Misc);
  EXPECT_EQ(w.widget<QLineEdit>("password").echoMode(), QLineEdit::Password);
  QTest::keyClicks(&w.widget<QLineEdit>("password"), QStringLiteral("secret"));
  EXPECT_EQ(w.form().core.Form8.password, "secret");
  if (!w.widget<QCheckBox>("blockCheckBox").isChecked()) w.click("blockCheckBox");
  ASSERT_TRUE(w.widget<QLineEdit>("blockNumber").isEnabled());
  w.widget<QLineEdit>("blockNumber").clear();
  QTest::keyClicks(&w.widget<QLineEdit>("blockNumber"), QStringLiteral("12a3"));
  EXPECT_EQ(w.form().core.Form8.config.blockNumber, "123");
}

TEST(PreferencesDialog, ConfigListSwitchesOnlyAfterOpening) {
  PrefsWindow w(WindowsVersion::WinMe, 3);
  w.open(PrefsPage::BackupProperties);
  auto& list = w.widget<QComboBox>("configList");
  // A keyboard choice on the closed list switches nothing.
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(w.form().core.Form8.curConfig, 1);
  EXPECT_EQ(list.currentIndex(), 0);
  // Opened and chosen: config 2 becomes current.
  list.showPopup();
  QTest::qWait(50);
  list.view()->setCurrentIndex(list.model()->index(1, 0));
  QTest::keyClick(list.view(), Qt::Key_Return);
  EXPECT_EQ(w.form().core.Form8.curConfig, 2);
  EXPECT_EQ(list.currentIndex(), 1);
  // A character a set name cannot hold is refused as typed.
  QTest::keyClicks(list.lineEdit(), QStringLiteral("\\"));
  EXPECT_EQ(w.form().core.Form8.configNames[1], "Config 2");
  ASSERT_FALSE(w.messages.isEmpty());
  EXPECT_TRUE(w.messages.back().contains(QStringLiteral(" is not a valid character.")));
}

TEST(PreferencesDialog, BackupManagerDeletesTheSelectedSet) {
  PrefsWindow w(WindowsVersion::WinMe, 3);
  w.registerSets({"C:\\Backups\\Monday\\", "C:\\Backups\\Tuesday\\"});
  w.open(PrefsPage::BackupManager);
  auto& list = w.widget<QTreeWidget>("setList");
  ASSERT_EQ(list.topLevelItemCount(), 2);
  EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("2 Backups"));
  EXPECT_FALSE(w.widget<QPushButton>("deleteSetButton").isEnabled());
  ui_test::saveScreenshot(*w.dialog, "prefs-backup-manager-sets");
  // Two rows selected: neither button acts on them.
  list.topLevelItem(0)->setSelected(true);
  list.topLevelItem(1)->setSelected(true);
  // Two rows selected: "&Delete" acts on exactly one, so nothing goes.
  w.click("deleteSetButton");
  EXPECT_TRUE(w.m.exists("C:\\Backups\\Monday\\autoexec.baz"));
  EXPECT_EQ(list.topLevelItemCount(), 2);
  list.clearSelection();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.topLevelItem(0)).center());
  ASSERT_TRUE(w.widget<QPushButton>("deleteSetButton").isEnabled());
  w.click("deleteSetButton");
  EXPECT_FALSE(w.m.exists("C:\\Backups\\Monday"));
  EXPECT_TRUE(w.m.exists("C:\\Backups\\Tuesday\\autoexec.baz"));
  ASSERT_EQ(list.topLevelItemCount(), 1);
  EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Tuesday"));
  EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("1 Backup"));
}

// The in-place editor's text after Enter, once the deferred rename has run.
void renameInPlace(PrefsWindow& w, QTreeWidget& list, const QString& name) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.topLevelItem(0)).center());
  w.click("renameSetButton");
  auto* editor = list.findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, name);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::qWait(50);
}

TEST(PreferencesDialog, BackupManagerRenamesInPlaceAndRefusesAPath) {
  PrefsWindow w(WindowsVersion::WinXp, 6);
  w.registerSets({"C:\\Backups\\Monday\\"});
  w.open(PrefsPage::BackupManager);
  auto& list = w.widget<QTreeWidget>("setList");
  ASSERT_EQ(list.topLevelItemCount(), 1);
  renameInPlace(w, list, QStringLiteral("..\\Elsewhere"));
  ASSERT_FALSE(w.messages.isEmpty());
  EXPECT_TRUE(w.messages.back().contains(QStringLiteral("Backup Name")));
  EXPECT_TRUE(w.m.exists("C:\\Backups\\Monday\\autoexec.baz"));
  EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Monday"));

  renameInPlace(w, list, QStringLiteral("Weekday"));
  EXPECT_TRUE(w.m.exists("C:\\Backups\\Weekday\\autoexec.baz"));
  EXPECT_FALSE(w.m.exists("C:\\Backups\\Monday"));
  EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Weekday"));
}

TEST(PreferencesDialog, ReportViewerShowsTheWrittenReportAndNotepadStarts) {
  PrefsWindow w(WindowsVersion::WinMe, 3);
  w.open(PrefsPage::BackupProperties);
  w.click("displayConfigButton");
  auto* viewer = child<QDialog>(*w.dialog, "configReportViewer");
  ASSERT_NE(viewer, nullptr);
  const QString shown = child<QPlainTextEdit>(*viewer, "configReportText")->toPlainText();
  const std::string file = w.m.read(w.m.programDir() + "ConfigInfo.txt");
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_EQ(shown.count(QLatin1Char('\n')) + 1,
            static_cast<qsizetype>(std::count(file.begin(), file.end(), '\n')));
  EXPECT_TRUE(shown.contains(QStringLiteral("Config 1")));
  bool notepad = false;
  for (const std::string& started : w.m.startedPrograms())
    notepad |= started.find("notepad.exe") != std::string::npos;
  EXPECT_TRUE(notepad);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(viewer));
  ui_test::saveScreenshot(*viewer, "prefs-report-viewer");
}

TEST(PreferencesDialog, DesktopIconMadeThroughTheWidgets) {
  PrefsWindow w(WindowsVersion::WinXp, 6);
  w.open(PrefsPage::DesktopIcons);
  w.click("iconStartBox");
  w.click("iconRegPackBox");
  QTest::keyClicks(&w.widget<QLineEdit>("iconTitle"), QStringLiteral("Nightly"));
  w.click("createIconButton");
  auto& icons = w.widget<QListWidget>("iconList");
  ASSERT_EQ(icons.findItems(QStringLiteral("Nightly"), Qt::MatchExactly).size(), 1);
  // Chosen again from the list after the boxes were cleared: they come back.
  w.click("iconStartBox");
  QTest::mouseClick(
      icons.viewport(), Qt::LeftButton, {},
      icons.visualItemRect(icons.findItems(QStringLiteral("Nightly"), Qt::MatchExactly)[0])
          .center());
  EXPECT_TRUE(w.widget<QCheckBox>("iconStartBox").isChecked());
  EXPECT_TRUE(w.widget<QCheckBox>("iconRegPackBox").isChecked());
  EXPECT_FALSE(w.widget<QCheckBox>("iconConfig1Box").isChecked());
  ui_test::saveScreenshot(*w.dialog, "prefs-desktop-icons-with-icon");
}

// Every page and tab of a mode, photographed through the tree.
void photographEveryPage(WindowsVersion version, int mode, const std::string& suffix) {
  PrefsWindow w(version, mode);
  w.open(PrefsPage::BackupManager);
  const std::vector<std::pair<QString, std::string>> nodes{
      {QStringLiteral("Backup Manager"), "backup-manager"},
      {QStringLiteral("Introduction"), "introduction"},
      {QStringLiteral("Settings"), "settings"},
      {QStringLiteral("WinFiles"), "winfiles"},
      {QStringLiteral("Other Files"), "other-files"},
      {QStringLiteral("Miscellaneous"), "misc"},
      {QStringLiteral("Backup Names"), "backup-names"},
      {QString::fromStdString(corvasta::systemBackupNodeText(mode)), "system-backups"},
      {QStringLiteral("Automation"), "automation"},
      {QStringLiteral("Desktop Icons"), "desktop-icons"},
      {QStringLiteral("CD Format"), "cd-format"},
      {QStringLiteral("Advanced"), "advanced"}};
  for (const auto& [node, name] : nodes) {
    w.choose(node);
    ui_test::saveScreenshot(*w.dialog, "prefs-" + name + "-" + suffix);
  }
  w.widget<QTabWidget>("propertiesTabs").setCurrentIndex(static_cast<int>(PropertiesTab::MiscCd));
  EXPECT_EQ(w.form().propertiesTab, PropertiesTab::MiscCd);
  ui_test::saveScreenshot(*w.dialog, "prefs-misc-cd-" + suffix);
}

TEST(PreferencesDialogPictures, EveryPageOnWindowsMe) {
  photographEveryPage(WindowsVersion::WinMe, 3, "me");
}

TEST(PreferencesDialogPictures, EveryPageOnWindowsXp) {
  photographEveryPage(WindowsVersion::WinXp, 6, "xp");
}

TEST(PreferencesDialogPictures, MiscOnWindows95ShowsWhichRegistry) {
  PrefsWindow w(WindowsVersion::Win95, 1);
  w.open(PrefsPage::BackupProperties, PropertiesTab::Misc);
  EXPECT_TRUE(w.widget<QWidget>("whichRegistryGroup").isVisible());
  ui_test::saveScreenshot(*w.dialog, "prefs-misc-95");
}

}  // namespace
}  // namespace ui_main_test
