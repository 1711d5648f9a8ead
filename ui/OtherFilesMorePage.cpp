// The Other Files editor's More page: a wildcard group chosen or typed,
// included or excluded in the current folder; the two lists, each with its
// delete button, reordered by dragging and scrolled sideways.

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "backup/Unit11.h"
#include "backup/Unit11Texts.h"
#include "ui/OtherFilesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

namespace texts = otherfiles_texts;

QComboBox* groupsBox(const OtherFilesPageContext& context) {
  TForm11& form = context.form;
  auto* combo = named(new QComboBox(context.parent), "groupsCombo");
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& group : moreFileGroups()) combo->addItem(fromAnsi(group));
  QObject::connect(combo, &QComboBox::editTextChanged, combo,
                   [context, &form](const QString& text) {
                     context.press([&form, value = toAnsi(text)] { form.ComboText = value; });
                   });
  context.onRefresh([combo, &form] {
    const QSignalBlocker quiet(combo);
    if (combo->currentText() != fromAnsi(form.ComboText)) {
      combo->setCurrentIndex(-1);
      combo->setEditText(fromAnsi(form.ComboText));
    }
  });
  return combo;
}

// One of the two lists: `entries` shown, the selection kept in `selected`,
// an entry dragged to another place moved in the list.
QListWidget* entryList(const OtherFilesPageContext& context, const char* name,
                       std::vector<std::string> SelectionLists::*entries,
                       std::optional<size_t> TForm11::*selected) {
  TForm11& form = context.form;
  auto* list = named(new QListWidget(context.parent), name);
  list->setDragDropMode(QAbstractItemView::InternalMove);
  list->setDefaultDropAction(Qt::MoveAction);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QObject::connect(list, &QListWidget::currentRowChanged, list,
                   [context, &form, selected](int row) {
                     context.press([&form, selected, row] {
                       if (row < 0)
                         (form.*selected).reset();
                       else
                         form.*selected = static_cast<size_t>(row);
                     });
                   });
  QObject::connect(list->model(), &QAbstractItemModel::rowsMoved, list,
                   [context, &form, entries, selected](const QModelIndex&, int from, int,
                                                       const QModelIndex&, int before) {
                     const int to = before > from ? before - 1 : before;
                     context.press([&form, entries, selected, from, to] {
                       form.MoveEntry(form.lists.*entries, static_cast<size_t>(from),
                                      static_cast<size_t>(to));
                       form.*selected = static_cast<size_t>(to);
                     });
                   });
  context.onRefresh([list, &form, entries, selected] {
    const QSignalBlocker quiet(list);
    const std::vector<std::string>& shown = form.lists.*entries;
    bool same = list->count() == static_cast<int>(shown.size());
    for (int k = 0; same && k < list->count(); ++k)
      same = list->item(k)->text() == fromAnsi(shown[static_cast<size_t>(k)]);
    if (!same) {
      list->clear();
      for (const std::string& entry : shown) list->addItem(fromAnsi(entry));
    }
    const std::optional<size_t>& row = form.*selected;
    list->setCurrentRow(row && *row < shown.size() ? static_cast<int>(*row) : -1);
  });
  return list;
}

}  // namespace

QWidget* buildOtherFilesMorePage(const OtherFilesPageContext& context) {
  TForm11& form = context.form;
  auto* page = named(new QWidget(context.parent), "morePage");
  OtherFilesPageContext inPage = context;
  inPage.parent = page;

  auto* title = new QLabel(fromAnsi(texts::kMoreTitle), page);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  auto* folder = boundLabel(inPage, "folderLabel", [&form] { return form.dirLabel; });
  auto* subdirectories = boundCheckBox(
      inPage, "moreIncludeSubdirectories", texts::kIncludeSubdirectories,
      [&form] { return form.MoreIncludeSubdirectories; },
      [&form](bool on) { form.MoreIncludeSubdirectories = on; });
  const auto enabled = [&form] { return form.includeExcludeEnabled(); };
  auto* include = boundButton(
      inPage, "includeButton", texts::kInclude, [&form] { form.IncludeClick(); }, enabled);
  auto* exclude = boundButton(
      inPage, "excludeButton", texts::kExclude, [&form] { form.ExcludeClick(); }, enabled);
  auto* includes =
      entryList(inPage, "includeList", &SelectionLists::includes, &TForm11::includeSelected);
  auto* excludes =
      entryList(inPage, "excludeList", &SelectionLists::excludes, &TForm11::excludeSelected);
  auto* deleteInclude = boundButton(
      inPage, "deleteIncludeButton", texts::kDeleteInclude, [&form] { form.DeleteIncludeClick(); },
      [&form] { return form.deleteIncludeEnabled(); });
  auto* deleteExclude = boundButton(
      inPage, "deleteExcludeButton", texts::kDeleteExclude, [&form] { form.DeleteExcludeClick(); },
      [&form] { return form.deleteExcludeEnabled(); });
  auto* hint = new QLabel(fromAnsi(texts::kMoreHelp), page);
  hint->setWordWrap(true);
  auto* ok = boundButton(inPage, "moreOkButton", texts::kMoreOK, [&form] { form.MoreOKClick(); });

  auto* choose = new QGridLayout;
  choose->addWidget(groupsBox(inPage), 0, 0);
  choose->addWidget(include, 0, 1);
  choose->addWidget(subdirectories, 1, 0);
  choose->addWidget(exclude, 1, 1);
  choose->setColumnStretch(0, 1);

  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(fromAnsi(texts::kFilesToInclude), page), 0, 0);
  lists->addWidget(new QLabel(fromAnsi(texts::kFilesToExclude), page), 0, 1);
  lists->addWidget(includes, 1, 0);
  lists->addWidget(excludes, 1, 1);
  lists->addWidget(deleteInclude, 2, 0, Qt::AlignLeft);
  lists->addWidget(deleteExclude, 2, 1, Qt::AlignLeft);

  auto* closing = new QHBoxLayout;
  closing->addWidget(hint, 1);
  closing->addWidget(ok, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(title);
  layout->addWidget(folder);
  layout->addLayout(choose);
  layout->addLayout(lists, 1);
  layout->addLayout(closing);
  return page;
}

}  // namespace corvasta
