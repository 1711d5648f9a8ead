#pragma once
// The troubleshooter menu: one action per item of the Windows mode's menu,
// hidden where the mode has no item.

class QMenu;
class QWidget;

namespace corvasta {

class TForm1;

QMenu* buildTroubleshooterMenu(TForm1& form, QWidget* parent);

}  // namespace corvasta
