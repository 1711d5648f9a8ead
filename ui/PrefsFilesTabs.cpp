// The WinFiles and Other Files tabs of Backup Properties: check lists whose
// states are the config's, the Other Files list with its four buttons.

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

Qt::CheckState checkState(int stored) {
  switch (stored) {
    case 1:
      return Qt::Checked;
    case 2:
      return Qt::PartiallyChecked;  // grayed
    default:
      return Qt::Unchecked;
  }
}

// A check list over `captions` and `checks` (0 unchecked, 1 checked, 2 grayed);
// the user's check goes into `checks` and counts as a change.
QListWidget* checkList(const PrefsPageContext& context, const char* name,
                       std::function<std::vector<std::string>()> captions,
                       std::function<std::vector<int>&()> checks) {
  auto* list = named(new QListWidget(context.parent), name);
  QObject::connect(list, &QListWidget::itemChanged, list,
                   [context, list, checks](QListWidgetItem* item) {
                     const size_t row = static_cast<size_t>(list->row(item));
                     const int checked = item->checkState() == Qt::Checked ? 1 : 0;
                     context.press([&form = context.form, checks, row, checked] {
                       std::vector<int>& states = checks();
                       if (row >= states.size()) states.resize(row + 1, 0);
                       states[row] = checked;
                       form.PreferenceChange();
                     });
                   });
  context.onRefresh([list, captions, checks] {
    const QSignalBlocker quiet(list);
    const std::vector<std::string> texts = captions();
    const std::vector<int>& states = checks();
    if (list->count() != static_cast<int>(texts.size())) list->clear();
    for (size_t row = 0; row < texts.size(); ++row) {
      QListWidgetItem* item = list->item(static_cast<int>(row));
      if (!item) {
        item = new QListWidgetItem(list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      }
      item->setText(fromAnsi(texts[row]));
      item->setCheckState(checkState(row < states.size() ? states[row] : 0));
    }
  });
  return list;
}

}  // namespace

QWidget* buildWinFilesTab(const PrefsPageContext& context) {
  TForm8& form = context.form;
  auto* tab = named(new QWidget(context.parent), "winFilesTab");
  QListWidget* list = checkList(
      context, "winFilesList", [&form] { return form.visibility().winFilesItems; },
      [&form]() -> std::vector<int>& { return form.core.Form8.config.winFilesChecks; });
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(list, 1);
  layout->addWidget(new QLabel(fromAnsi(kWinFilesNote), tab));
  return tab;
}

QWidget* buildOtherFilesTab(const PrefsPageContext& context) {
  TForm8& form = context.form;
  auto* tab = named(new QWidget(context.parent), "otherFilesTab");
  QListWidget* list = checkList(
      context, "otherFilesList", [&form] { return form.core.Form8.otherFilesNames; },
      [&form]() -> std::vector<int>& { return form.core.Form8.config.otherFilesChecks; });
  QObject::connect(list, &QListWidget::currentRowChanged, list, [context](int row) {
    context.press([&form = context.form, row] {
      if (row < 0)
        form.otherFilesSelection.reset();
      else
        form.otherFilesSelection = static_cast<size_t>(row);
    });
  });
  context.onRefresh([list, &form] {
    const QSignalBlocker quiet(list);
    list->setCurrentRow(form.otherFilesSelection ? static_cast<int>(*form.otherFilesSelection)
                                                 : -1);
  });

  const std::array<std::function<void()>, 4> handlers{
      [&form] { form.NewClick(); }, [&form] { form.EditClick(); },
      [&form] { form.Button12Click(); }, [&form] { form.Drive1Click(); }};
  const std::array<const char*, 4> names{"newOtherButton", "editOtherButton", "deleteOtherButton",
                                         "entireDriveButton"};
  auto* buttons = new QVBoxLayout;
  for (size_t button = 0; button < handlers.size(); ++button)
    buttons->addWidget(
        boundButton(context, names[button], kOtherFilesButtons[button], handlers[button]));
  buttons->addStretch(1);

  auto* layout = new QHBoxLayout(tab);
  layout->addWidget(list, 1);
  layout->addLayout(buttons);
  return tab;
}

}  // namespace corvasta
