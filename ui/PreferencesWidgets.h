#pragma once
// Widgets of a dialog's pages bound to its form's values (the Preferences
// pages, the Other Files editor's pages): each takes its state from a getter
// on every refresh (signals quiet meanwhile) and hands a user change to a
// handler through the page context's `press`.

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "ui/PreferencesPages.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace corvasta {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A check box: `checked` and `enabled` read on refresh, `changed` gets the new state.
QCheckBox* boundCheckBox(const BoundContext& context, const char* name, const char* caption,
                         std::function<bool()> checked, std::function<void(bool)> changed,
                         std::function<bool()> enabled = {});

// A check box over one of the form's values; a click counts as a change.
QCheckBox* preferenceCheckBox(const PrefsPageContext& context, const char* name,
                              const char* caption, bool& value, std::function<bool()> enabled = {});

// A text field: `text` shown on refresh (the caret kept while it is the
// same), each edit handed to `changed`.
QLineEdit* boundField(const BoundContext& context, const char* name,
                      std::function<std::string()> text, std::function<void(std::string)> changed,
                      std::function<bool()> enabled = {});

// A radio button of a pair: checked while `checked` holds, `chosen` when clicked.
QRadioButton* boundRadioButton(const BoundContext& context, const char* name, const char* caption,
                               std::function<bool()> checked, std::function<void()> chosen);

// A push button running `clicked`; `enabled` read on refresh.
QPushButton* boundButton(const BoundContext& context, const char* name, const char* caption,
                         std::function<void()> clicked, std::function<bool()> enabled = {});

// A label whose text is read on refresh.
QLabel* boundLabel(const BoundContext& context, const char* name,
                   std::function<std::string()> text);

// A report list shows `rows` (one text per column): its items are made anew
// only when a text differs, so a refresh keeps an unchanged list (and the
// user's scrolling) as it is. `flags` are added to every new item.
void showRows(QTreeWidget& list, const std::vector<QStringList>& rows, Qt::ItemFlags flags = {});

}  // namespace corvasta
