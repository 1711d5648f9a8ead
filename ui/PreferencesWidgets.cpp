// The bound widgets of the Preferences pages.

#include "ui/PreferencesWidgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "app/core/Core.h"
#include "prefs/Unit8.h"
#include "ui/QtUi.h"

namespace corvasta {

QCheckBox* boundCheckBox(const BoundContext& context, const char* name, const char* caption,
                         std::function<bool()> checked, std::function<void(bool)> changed,
                         std::function<bool()> enabled) {
  auto* box = named(new QCheckBox(fromAnsi(caption), context.parent), name);
  QObject::connect(box, &QCheckBox::clicked, box,
                   [context, changed](bool on) { context.press([changed, on] { changed(on); }); });
  context.onRefresh([box, checked, enabled] {
    const QSignalBlocker quiet(box);
    box->setChecked(checked());
    if (enabled) box->setEnabled(enabled());
  });
  return box;
}

QCheckBox* preferenceCheckBox(const PrefsPageContext& context, const char* name,
                              const char* caption, bool& value, std::function<bool()> enabled) {
  TForm8& form = context.form;
  return boundCheckBox(
      context, name, caption, [&value] { return value; },
      [&form, &value](bool on) {
        value = on;
        form.PreferenceChange();
      },
      std::move(enabled));
}

QLineEdit* boundField(const BoundContext& context, const char* name,
                      std::function<std::string()> text, std::function<void(std::string)> changed,
                      std::function<bool()> enabled) {
  auto* field = named(new QLineEdit(context.parent), name);
  QObject::connect(field, &QLineEdit::textEdited, field, [context, changed](const QString& typed) {
    context.press([changed, value = toAnsi(typed)] { changed(value); });
  });
  context.onRefresh([field, text, enabled] {
    const QString shown = fromAnsi(text());
    if (field->text() != shown) field->setText(shown);
    if (enabled) field->setEnabled(enabled());
  });
  return field;
}

QRadioButton* boundRadioButton(const BoundContext& context, const char* name, const char* caption,
                               std::function<bool()> checked, std::function<void()> chosen) {
  auto* button = named(new QRadioButton(fromAnsi(caption), context.parent), name);
  QObject::connect(button, &QRadioButton::clicked, button,
                   [context, chosen] { context.press(chosen); });
  context.onRefresh([button, checked] {
    const QSignalBlocker quiet(button);
    button->setChecked(checked());
  });
  return button;
}

QPushButton* boundButton(const BoundContext& context, const char* name, const char* caption,
                         std::function<void()> clicked, std::function<bool()> enabled) {
  auto* button = named(new QPushButton(fromAnsi(caption), context.parent), name);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button,
                   [context, clicked] { context.press(clicked); });
  if (enabled) context.onRefresh([button, enabled] { button->setEnabled(enabled()); });
  return button;
}

QLabel* boundLabel(const BoundContext& context, const char* name,
                   std::function<std::string()> text) {
  auto* label = named(new QLabel(context.parent), name);
  context.onRefresh([label, text] { label->setText(fromAnsi(text())); });
  return label;
}

void showRows(QTreeWidget& list, const std::vector<QStringList>& rows, Qt::ItemFlags flags) {
  bool same = list.topLevelItemCount() == static_cast<int>(rows.size());
  for (int row = 0; same && row < list.topLevelItemCount(); ++row)
    for (int column = 0; same && column < list.columnCount(); ++column)
      same = list.topLevelItem(row)->text(column) == rows[static_cast<size_t>(row)].value(column);
  if (same) return;
  list.clear();
  for (const QStringList& texts : rows) {
    auto* item = new QTreeWidgetItem(texts);
    item->setFlags(item->flags() | flags);
    list.addTopLevelItem(item);
  }
}

}  // namespace corvasta
