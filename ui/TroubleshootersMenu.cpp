#include "ui/TroubleshootersMenu.h"

#include <QMenu>

#include "app/Unit1.h"
#include "ui/MainWindowWidgets.h"
#include "ui/Troubleshooters.h"

namespace corvasta {

QMenu* buildTroubleshooterMenu(TForm1& form, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("troubleshooterMenu"));
  const TroubleshooterMenu items = troubleshooterMenu(form.core.WindowsMode);
  for (int item = 1; item <= kTroubleshooterItems; ++item) {
    const std::optional<TroubleshooterItem>& entry = items[static_cast<size_t>(item - 1)];
    QAction* action = menu->addAction(entry ? fromAnsi(entry->caption) : QString());
    action->setObjectName(QStringLiteral("troubleshooter%1").arg(item));
    action->setVisible(entry.has_value());
    QObject::connect(action, &QAction::triggered, menu, [&form, item] { PM1Click(form, item); });
  }
  return menu;
}

}  // namespace corvasta
