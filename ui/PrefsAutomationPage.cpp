// The Automation page: a frequency list for Start and Wait and each config,
// and the pause before an automated session at start-up.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/core/Core.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QWidget* buildAutomationPage(const PrefsPageContext& context) {
  AutomationPage& automation = context.form.automation;
  auto* page = named(new QWidget(context.parent), "automationPage");
  auto* grid = new QGridLayout(page);
  constexpr size_t kLists = 5;
  for (size_t list = 0; list < kLists; ++list) {
    auto* label = new QLabel(page);
    auto* frequency = new QComboBox(page);
    frequency->setObjectName(QStringLiteral("frequency%1").arg(list));
    for (const char* entry : kFrequencyEntries) frequency->addItem(fromAnsi(entry));
    label->setBuddy(frequency);
    QObject::connect(frequency, &QComboBox::activated, frequency, [context, list](int entry) {
      context.press([&automation = context.form.automation, list, entry] {
        automation.FreqClick(list, entry);
      });
    });
    context.onRefresh([&automation, label, frequency, list] {
      const QSignalBlocker quiet(frequency);
      label->setText(fromAnsi(automation.listLabel(list)));
      frequency->setCurrentIndex(automation.listIndex(list));
      frequency->setEnabled(automation.listEnabled(list));
    });
    grid->addWidget(label, static_cast<int>(list), 0);
    grid->addWidget(frequency, static_cast<int>(list), 1);
  }

  auto* pause = named(new QSpinBox(page), "pause");
  pause->setRange(kPauseFirst, kPauseLast);
  QObject::connect(pause, &QSpinBox::valueChanged, pause, [context](int seconds) {
    context.press(
        [&automation = context.form.automation, seconds] { automation.PauseChanged(seconds); });
  });
  context.onRefresh([&automation, pause] {
    const QSignalBlocker quiet(pause);
    pause->setValue(automation.core.Form8.pause);
  });
  auto* pauseLabel = new QLabel(fromAnsi(kPauseLabel), page);
  pauseLabel->setWordWrap(true);
  pauseLabel->setBuddy(pause);
  grid->addWidget(pauseLabel, static_cast<int>(kLists), 0);
  grid->addWidget(pause, static_cast<int>(kLists), 1, Qt::AlignTop);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(static_cast<int>(kLists) + 1, 1);
  return page;
}

}  // namespace corvasta
