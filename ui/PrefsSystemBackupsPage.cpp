// The system-backup page (Windows modes 2, 3 and 6): Windows' own registry
// backups or restore points, "&Delete", the directory button and, in modes 2
// and 3, the counter that moves by its arrows only.

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/core/Core.h"
#include "backup/BackupManager.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kColumns = 3;

// The counter: each arrow step is one click of the form's up-down control;
// typing a number is not possible.
QSpinBox* systemBackupCounter(const PrefsPageContext& context) {
  SystemBackupsPage& page = context.form.systemBackups;
  auto* counter = named(new QSpinBox(context.parent), "systemBackupCounter");
  counter->setRange(kSystemBackupCounterFirst, kSystemBackupCounterLast);
  counter->findChild<QLineEdit*>()->setReadOnly(true);
  auto shown = std::make_shared<int>(0);
  QObject::connect(counter, &QSpinBox::valueChanged, counter, [context, shown](int to) {
    const bool up = to > *shown;
    context.press([&page = context.form.systemBackups, up] { page.UpDownClick(up); });
  });
  context.onRefresh([&page, counter, shown] {
    const QSignalBlocker quiet(counter);
    *shown = page.counterPosition();
    counter->setValue(*shown);
    counter->setVisible(page.counterVisible());
  });
  return counter;
}

}  // namespace

QWidget* buildSystemBackupsPage(const PrefsPageContext& context) {
  TForm8& form = context.form;
  SystemBackupsPage& page = form.systemBackups;
  auto* widget = named(new QWidget(context.parent), "systemBackupsPage");

  auto* list = named(new QTreeWidget(widget), "systemBackupList");
  list->setColumnCount(kColumns);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  auto refreshing = std::make_shared<bool>(false);
  QObject::connect(list, &QTreeWidget::itemSelectionChanged, list, [context, list, refreshing] {
    if (*refreshing) return;
    std::optional<size_t> row;
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty()) row = static_cast<size_t>(list->indexOfTopLevelItem(selected.front()));
    context.press([&page = context.form.systemBackups, row] { page.ListView2SelectItem(row); });
  });
  QObject::connect(list->header(), &QHeaderView::sectionResized, list,
                   [&page, refreshing](int column, int, int width) {
                     if (!*refreshing) page.ColumnResized(static_cast<size_t>(column), width);
                   });
  context.onRefresh([&page, list, refreshing] {
    *refreshing = true;
    const std::vector<SystemBackupRow>& rows = page.manager.lists.systemRows;
    QStringList captions;
    for (int column = 0; column < kColumns; ++column)
      captions << fromAnsi(page.columnCaption(static_cast<size_t>(column)));
    list->setHeaderLabels(captions);
    // A refill from another directory may hold as many backups as before.
    std::vector<QStringList> shown;
    for (size_t row = 0; row < rows.size(); ++row)
      shown.push_back(
          {fromAnsi(rows[row].name), fromAnsi(rows[row].dateTime), fromAnsi(page.sizeText(row))});
    showRows(*list, shown);
    for (int column = 0; column < kColumns; ++column) {
      const int width = page.columnWidth(static_cast<size_t>(column));
      list->setColumnHidden(column, width == 0);
      if (width > 0) list->setColumnWidth(column, width);
    }
    for (int row = 0; row < list->topLevelItemCount(); ++row)
      list->topLevelItem(row)->setSelected(page.selectedRow() == static_cast<size_t>(row));
    *refreshing = false;
  });

  QPushButton* remove = boundButton(
      context, "deleteSystemBackupButton", "&Delete", [&page] { page.DeleteClick(); },
      [&page] { return page.deleteEnabled; });
  context.onRefresh([remove, &page] { remove->setToolTip(fromAnsi(page.deleteHint())); });
  QPushButton* directory = boundButton(context, "systemBackupDirectoryButton", "", [&form] {
    form.DirectoryButtonClick(DefaultDirectory::SystemBackup);
  });
  context.onRefresh([directory, &form] {
    directory->setText(fromAnsi(form.visibility().systemBackupDirectoryCaption));
  });
  QSpinBox* counter = systemBackupCounter(context);
  QLabel* counterLabel =
      boundLabel(context, "systemBackupCounterLabel", [&page] { return page.counterCaption(); });
  counterLabel->setBuddy(counter);
  context.onRefresh([counterLabel, &page] { counterLabel->setVisible(page.counterVisible()); });

  auto* grid = new QGridLayout(widget);
  grid->addWidget(list, 0, 0, 1, 4);
  grid->addWidget(remove, 1, 0);
  grid->addWidget(directory, 1, 1);
  grid->setColumnStretch(2, 1);
  grid->addWidget(counterLabel, 2, 0, 1, 3);
  grid->addWidget(counter, 2, 3);
  grid->setRowStretch(0, 1);
  return widget;
}

}  // namespace corvasta
