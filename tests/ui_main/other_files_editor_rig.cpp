#include "tests/ui_main/other_files_editor_rig.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "prefs/PrefsNavigation.h"
#include "ui/ChFileListView.h"
#include "ui/CheckMarkPictures.h"
#include "ui/DirTreeView.h"
#include "ui/OtherFilesEditor.h"
#include "ui/PreferencesDialog.h"

namespace ui_main_test {

EditorWindow::EditorWindow(platform::WindowsVersion version, int windowsMode)
    : m(version, windowsMode, Front::Qt) {
  m.showWindow();
  m.qtUi->setDialogHook([this](QDialog& shown) {
    auto* box = qobject_cast<QMessageBox*>(&shown);
    if (!box) return shown.reject();
    messages << box->text();
    box->buttons().front()->click();
  });
}

EditorWindow::~EditorWindow() {
  m.qtUi->setDialogHook({});
}

bool EditorWindow::inPreferences(const std::function<void(corvasta::PreferencesDialog&)>& steps) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<corvasta::PreferencesDialog*>(QApplication::activeModalWidget());
    if (!shown) return;
    seen = true;
    child<QTabWidget>(*shown, "propertiesTabs")
        ->setCurrentIndex(static_cast<int>(corvasta::PropertiesTab::OtherFiles));
    steps(*shown);
    if (shown->isVisible())
      QTest::mouseClick(child<QPushButton>(*shown, "cancelButton"), Qt::LeftButton);
  });
  QTest::mouseClick(child<QPushButton>(*m.window, "changePropertiesButton"), Qt::LeftButton);
  return seen;
}

bool EditorWindow::inEditor(corvasta::PreferencesDialog& preferences, const char* button,
                            const std::function<void(corvasta::OtherFilesEditor&)>& steps) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* editor = qobject_cast<corvasta::OtherFilesEditor*>(QApplication::activeModalWidget());
    if (!editor) return;
    seen = true;
    steps(*editor);
    if (editor->isVisible()) editor->reject();
  });
  QTest::mouseClick(child<QPushButton>(preferences, button), Qt::LeftButton);
  return seen;
}

QStringList preferencesList(corvasta::PreferencesDialog& preferences) {
  QStringList names;
  auto* list = child<QListWidget>(preferences, "otherFilesList");
  for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
  return names;
}

void selectPreferencesRow(corvasta::PreferencesDialog& preferences, int row) {
  child<QListWidget>(preferences, "otherFilesList")->setCurrentRow(row);
}

void clickButton(corvasta::OtherFilesEditor& editor, const char* name) {
  auto* button = child<QAbstractButton>(editor, name);
  ASSERT_NE(button, nullptr) << name;
  ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

void chooseFolder(corvasta::OtherFilesEditor& editor, const QStringList& path) {
  auto* tree = child<corvasta::DirTreeView>(editor, "folderTree");
  QTreeWidgetItem* item = nullptr;
  for (int k = 0; k < tree->topLevelItemCount() && !item; ++k)
    if (tree->topLevelItem(k)->text(0).endsWith(QStringLiteral("(C:)")))
      item = tree->topLevelItem(k);
  ASSERT_NE(item, nullptr) << "no drive C:";
  for (const QString& name : path) {
    item->setExpanded(true);  // as a click on its expand mark: read on first expansion
    QTreeWidgetItem* next = nullptr;
    for (int k = 0; k < item->childCount() && !next; ++k)
      if (item->child(k)->text(0).compare(name, Qt::CaseInsensitive) == 0) next = item->child(k);
    ASSERT_NE(next, nullptr) << name.toStdString();
    item = next;
  }
  tree->scrollToItem(item);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void clickTick(corvasta::OtherFilesEditor& editor, const QString& caption) {
  auto* list = child<corvasta::ChFileListView>(editor, "fileList");
  const QList<QListWidgetItem*> found = list->findItems(caption, Qt::MatchFixedString);
  ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
  list->scrollToItem(found.front());
  const QRect item = list->visualItemRect(found.front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    QPoint(item.left() + 8, item.center().y()));
}

QStringList shownTicked(corvasta::OtherFilesEditor& editor) {
  auto* list = child<corvasta::ChFileListView>(editor, "fileList");
  QStringList ticked;
  for (int row = 0; row < list->count(); ++row)
    if (list->item(row)->data(Qt::UserRole).toInt() ==
        static_cast<int>(corvasta::CheckMark::Checked))
      ticked << list->item(row)->text();
  return ticked;
}

void typeName(corvasta::OtherFilesEditor& editor, const QString& name) {
  auto* field = child<QLineEdit>(editor, "nameField");
  ASSERT_NE(field, nullptr);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, name);
}

}  // namespace ui_main_test
