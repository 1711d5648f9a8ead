#pragma once
// The main window's tab bar. While the introduction page (which has no tab)
// is shown, no tab is drawn as selected, and a click on any tab, the
// current one included, opens its page.

#include <QTabBar>

namespace corvasta {

class MainWindowTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit MainWindowTabBar(QWidget* parent = nullptr);
  // True while no tab stands for the page shown.
  void setNoSelection(bool none);
  bool noSelection() const { return noSelection_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The style's padding makes six or seven captions wider than the window
  // allows: when they do not fit, every tab gives up an equal share of its
  // padding (never of its caption).
  QSize tabSizeHint(int index) const override;

 private:
  bool noSelection_ = false;
};

}  // namespace corvasta
