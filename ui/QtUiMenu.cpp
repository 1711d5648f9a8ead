// QtUi's pop-up menus: a QMenu of the items at the anchor's top-left corner.

#include <QCursor>
#include <QMenu>
#include <QTimer>

#include "ui/QtUi.h"

namespace corvasta {

std::optional<size_t> QtUi::popupMenu(const std::string& caption,
                                      const std::vector<std::string>& items,
                                      const std::vector<bool>& enabled) {
  QMenu menu(mainWindow_);
  menu.setObjectName(QStringLiteral("popupMenu"));
  menu.setTitle(fromAnsi(caption));
  std::vector<QAction*> actions;
  for (const std::string& item : items) {
    // An "&" in a set's name is shown, not taken as a shortcut mark.
    QString text = fromAnsi(item);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    actions.push_back(menu.addAction(text));
    actions.back()->setEnabled(menuItemEnabled(enabled, actions.size() - 1));
  }
  const QPoint at = menuAnchor_ ? menuAnchor_->mapToGlobal(QPoint(0, 0)) : QCursor::pos();
  if (menuHook_) QTimer::singleShot(0, &menu, [this, &menu] { menuHook_(menu); });
  QAction* chosen = menu.exec(at);
  for (size_t i = 0; i < actions.size(); ++i)
    if (actions[i] == chosen) return i;
  return std::nullopt;
}

}  // namespace corvasta
