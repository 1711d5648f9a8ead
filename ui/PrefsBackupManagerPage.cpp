// The Backup Manager page: the sets' report list (several rows selectable, a
// name edited in place), "&Delete", "&Rename", "&Add" and the counters.

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/core/Core.h"
#include "backup/BackupManager.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kColumns = 3;

QSpinBox* counter(const PrefsPageContext& context, const char* name, const char* hint,
                  std::function<int()> value, std::function<void(int)> changed) {
  auto* box = named(new QSpinBox(context.parent), name);
  box->setRange(kBackupCounterFirst, kBackupCounterLast);
  box->setToolTip(fromAnsi(hint));
  QObject::connect(box, &QSpinBox::valueChanged, box,
                   [context, changed](int to) { context.press([changed, to] { changed(to); }); });
  context.onRefresh([box, value] {
    const QSignalBlocker quiet(box);
    box->setValue(value());
  });
  return box;
}

}  // namespace

QWidget* buildBackupManagerPage(const PrefsPageContext& context) {
  BackupManagerPage& page = context.form.backupManager;
  auto* widget = named(new QWidget(context.parent), "backupManagerPage");

  auto* list = named(new QTreeWidget(widget), "setList");
  list->setColumnCount(kColumns);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Refreshing the rows must not be taken for the user's edit or selection.
  auto refreshing = std::make_shared<bool>(false);
  QObject::connect(list, &QTreeWidget::itemSelectionChanged, list, [context, list, refreshing] {
    if (*refreshing) return;
    std::vector<size_t> rows;
    for (QTreeWidgetItem* item : list->selectedItems())
      rows.push_back(static_cast<size_t>(list->indexOfTopLevelItem(item)));
    std::sort(rows.begin(), rows.end());
    context.press([&page = context.form.backupManager, rows] { page.ListView1SelectItem(rows); });
  });
  QObject::connect(list, &QTreeWidget::itemChanged, list,
                   [context, list, refreshing](QTreeWidgetItem* item, int column) {
                     if (*refreshing || column != 0) return;
                     const size_t row = static_cast<size_t>(list->indexOfTopLevelItem(item));
                     const std::string name = toAnsi(item->text(0));
                     // After the editor has closed: the rename refills the list.
                     QTimer::singleShot(0, list, [context, row, name] {
                       context.press([&page = context.form.backupManager, row, name] {
                         page.ListView1Edited(row, name);
                       });
                     });
                   });
  QObject::connect(list->header(), &QHeaderView::sectionResized, list,
                   [&page, refreshing](int column, int, int width) {
                     if (!*refreshing) page.ColumnResized(static_cast<size_t>(column), width);
                   });
  context.onRefresh([&page, list, refreshing] {
    *refreshing = true;
    const std::vector<BackupSetRow>& rows = page.manager.lists.rows;
    QStringList captions;
    for (int column = 0; column < kColumns; ++column)
      captions << fromAnsi(page.columnCaption(static_cast<size_t>(column)));
    list->setHeaderLabels(captions);
    for (int column = 0; column < kColumns; ++column)
      list->setColumnWidth(column, page.columnWidth(static_cast<size_t>(column)));
    std::vector<QStringList> shown;
    for (const BackupSetRow& row : rows)
      shown.push_back({fromAnsi(row.name), fromAnsi(row.folder), fromAnsi(row.dateTime)});
    showRows(*list, shown, Qt::ItemIsEditable);
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      const bool selected = std::ranges::find(page.selectedRows(), static_cast<size_t>(row)) !=
                            page.selectedRows().end();
      list->topLevelItem(row)->setSelected(selected);
    }
    *refreshing = false;
    if (page.editingRow && *page.editingRow < rows.size())
      list->editItem(list->topLevelItem(static_cast<int>(*page.editingRow)), 0);
  });

  QPushButton* remove = boundButton(
      context, "deleteSetButton", "&Delete", [&page] { page.DeleteClick(); },
      [&page] { return page.deleteEnabled; });
  QPushButton* rename = boundButton(
      context, "renameSetButton", "&Rename", [&page] { page.RenameClick(); },
      [&page] { return page.renameEnabled; });
  QPushButton* add = boundButton(context, "addSetButton", "&Add", [&page] { page.AddClick(); });
  add->setToolTip(fromAnsi(kAddSetHint));

  QSpinBox* maximum = counter(
      context, "maximumBackups", kMaximumBackupsHint, [&page] { return page.core.Form8.maxNum; },
      [&page](int value) { page.MaximumChanged(value); });
  QSpinBox* keep = counter(
      context, "keepBackups", kKeepHint, [&page] { return page.core.Form8.keep; },
      [&page](int value) { page.KeepChanged(value); });
  auto* maximumLabel = new QLabel(QStringLiteral("Maximum Backups:"), widget);
  maximumLabel->setToolTip(fromAnsi(kMaximumBackupsHint));
  auto* keepLabel = new QLabel(QStringLiteral("Keep:"), widget);
  keepLabel->setToolTip(fromAnsi(kKeepHint));

  auto* controls = new QGridLayout;
  controls->addWidget(remove, 0, 0);
  controls->addWidget(rename, 0, 1);
  controls->addWidget(add, 0, 2);
  controls->setColumnStretch(3, 1);
  controls->addWidget(maximumLabel, 0, 4);
  controls->addWidget(maximum, 0, 5);
  controls->addWidget(keepLabel, 1, 4);
  controls->addWidget(keep, 1, 5);

  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(list, 1);
  layout->addWidget(named(new QLabel(fromAnsi(kBackupsToDisksNotShown), widget), "disksNotShown"));
  layout->addLayout(controls);
  return widget;
}

}  // namespace corvasta
