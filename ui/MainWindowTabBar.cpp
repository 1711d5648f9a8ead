#include "ui/MainWindowTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>

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
