#pragma once
// The main window's status panel and its marquee: the status text scrolls
// from right to left every 100 ms while scrolling is on; a click stops or
// starts it. Before the first text the panel shows its own caption.
//
// The marquee binds to TForm1: it installs GetMarqueeText (rebuild the text,
// start over) and keeps its timer in step with the form's marqueeRunning.

#include <QFrame>
#include <QTimer>

#include "app/MarqueeScroll.h"

namespace corvasta {

class TForm1;

class Marquee : public QFrame {
  Q_OBJECT

 public:
  explicit Marquee(TForm1& form, QWidget* parent = nullptr);
  ~Marquee() override;

  // The text changed: start over with its beginning at the left edge.
  void restart();
  // One step of the scroll timer.
  void Timer1Timer();
  // The main window's tab changed (a MainTab): the RegPack tab scrolls the
  // RegPack status into view, the Backup tab starts over.
  void PageControl1Change(int tab);

  bool scrolling() const { return timer_.isActive(); }
  int64_t position() const { return scroll_.position(); }
  MarqueeFrame frame() const { return frame_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int panelWidth() const;
  void syncTimer();

  TForm1& form_;
  QTimer timer_;
  MarqueeScroll scroll_;
  MarqueeFrame frame_;
  QString text_;
};

}  // namespace corvasta
