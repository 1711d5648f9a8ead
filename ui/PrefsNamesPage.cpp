// The Backup Names page: a set named by date (in a format of the user's) or
// by consecutive numbers, the config name added, and today's example.

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QWidget* buildBackupNamesPage(const PrefsPageContext& context) {
  TForm8& form = context.form;
  PreferenceValues& values = form.core.Form8;
  auto* page = named(new QWidget(context.parent), "backupNamesPage");

  QRadioButton* useDate = boundRadioButton(
      context, "useDate", kUseDateCaption, [&values] { return values.useDate; },
      [&form] { form.UseDateClick(true); });
  QRadioButton* useNumbers = boundRadioButton(
      context, "useNumbers", kUseNumbersCaption, [&values] { return !values.useDate; },
      [&form] { form.UseDateClick(false); });
  QLineEdit* format = boundField(
      context, "dateFormat", [&values] { return values.dateFormat; },
      [&form](const std::string& typed) { form.DateFormatChange(typed); },
      [&values] { return values.dateFormatEnabled; });
  auto* formatLabel = named(new QLabel(fromAnsi(kDateFormatCaption), page), "dateFormatLabel");
  formatLabel->setBuddy(format);
  context.onRefresh([formatLabel, &values] { formatLabel->setEnabled(values.dateFormatEnabled); });
  QLabel* example = boundLabel(context, "exampleLine", [&form] { return form.exampleLine; });

  auto* grid = new QGridLayout(page);
  grid->addWidget(useDate, 0, 0, 1, 2);
  grid->addWidget(formatLabel, 1, 1);
  grid->addWidget(format, 2, 1);
  grid->addWidget(example, 3, 1);
  grid->addWidget(useNumbers, 4, 0, 1, 2);
  grid->addWidget(preferenceCheckBox(context, "addConfigBox", kAddConfigCaption, values.addConfig),
                  5, 0, 1, 2);
  grid->setColumnMinimumWidth(0, 20);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);
  return page;
}

}  // namespace corvasta
