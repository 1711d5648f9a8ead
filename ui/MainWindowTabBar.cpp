#include "ui/MainWindowTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <algorithm>

namespace corvasta {

MainWindowTabBar::MainWindowTabBar(QWidget* parent) : QTabBar(parent) {
  setObjectName(QStringLiteral("tabBar"));
  setDrawBase(false);
  setExpanding(false);
  setUsesScrollButtons(false);
}

void MainWindowTabBar::setNoSelection(bool none) {
  noSelection_ = none;
  update();
}

QSize MainWindowTabBar::tabSizeHint(int index) const {
  QSize size = QTabBar::tabSizeHint(index);
  // Before the layout has given the bar its width there is nothing to fit.
  const int available = width();
  if (available < 100) return size;
  int total = 0, visible = 0;
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) continue;
    total += QTabBar::tabSizeHint(i).width();
    ++visible;
  }
  if (visible == 0 || total <= available) return size;
  const int share = (total - available + visible - 1) / visible;
  const int caption = fontMetrics().horizontalAdvance(tabText(index)) + 6;
  size.setWidth(std::max(size.width() - share, caption));
  return size;
}

void MainWindowTabBar::paintEvent(QPaintEvent* event) {
  if (!noSelection_) return QTabBar::paintEvent(event);
  QStylePainter painter(this);
  for (int index = 0; index < count(); ++index) {
    if (!isTabVisible(index)) continue;
    QStyleOptionTab option;
    initStyleOption(&option, index);
    option.state &= ~QStyle::State_Selected;
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_TabBarTab, option);
  }
}

}  // namespace corvasta
