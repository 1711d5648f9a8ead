// The CD Format page: the drive list and the quick and full format buttons;
// without a CD-writing engine the hint says why they are off.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/core/Core.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QWidget* buildCdFormatPage(const PrefsPageContext& context) {
  CdFormatPage& cd = context.form.cdFormat;
  auto* page = named(new QWidget(context.parent), "cdFormatPage");

  auto* drives = named(new QComboBox(page), "cdDrives");
  drives->setMinimumContentsLength(34);
  drives->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  QObject::connect(drives, &QComboBox::activated, drives, [context](int index) {
    context.press(
        [&cd = context.form.cdFormat, index] { cd.DriveChange(static_cast<size_t>(index)); });
  });
  QLabel* hint = boundLabel(context, "cdFormatHint", [&cd] { return cd.hint; });
  hint->setWordWrap(true);
  context.onRefresh([&cd, drives, hint] {
    const QSignalBlocker quiet(drives);
    drives->clear();
    for (const std::string& item : cd.items) drives->addItem(fromAnsi(item));
    drives->setCurrentIndex(cd.items.empty() ? -1 : static_cast<int>(cd.selected));
    drives->setEnabled(cd.listEnabled);
    drives->setToolTip(hint->text());
  });
  QPushButton* quick = boundButton(
      context, "quickFormatButton", "&Quick Format", [&cd] { cd.QuickFormatClick(); },
      [&cd] { return cd.quickEnabled; });
  QPushButton* full = boundButton(
      context, "fullFormatButton", "&Full Format", [&cd] { cd.FullFormatClick(); },
      [&cd] { return cd.fullEnabled; });

  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel(QStringLiteral("CD Drive:"), page), 0, 0);
  grid->addWidget(drives, 0, 1, 1, 2);
  grid->addWidget(quick, 1, 1);
  grid->addWidget(full, 1, 2);
  grid->addWidget(hint, 2, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(3, 1);
  return page;
}

}  // namespace corvasta
