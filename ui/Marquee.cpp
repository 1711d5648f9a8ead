#include "ui/Marquee.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "app/MarqueeText.h"
#include "app/Unit1.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kScrollMilliseconds = 100;
constexpr int kTextTop = 2;
constexpr const char* kPanelCaption = "Thank you for using Corvasta!!!";
constexpr const char* kHint = "Click on Marquee to stop and start it.";
const QString kGap = QStringLiteral("   ");

}  // namespace

Marquee::Marquee(TForm1& form, QWidget* parent) : QFrame(parent), form_(form) {
  setObjectName("Panel1");
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setToolTip(kHint);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  timer_.setInterval(kScrollMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &Marquee::Timer1Timer);
  form_.GetMarqueeText = [this] {
    form_.MakeMarqueeText();
    restart();
  };
}

Marquee::~Marquee() {
  form_.GetMarqueeText = nullptr;
}

QSize Marquee::sizeHint() const {
  return {491, QFontMetrics(font()).height() + 2 * kTextTop + 2 * frameWidth()};
}

int Marquee::panelWidth() const {
  return contentsRect().width();
}

void Marquee::syncTimer() {
  if (form_.core.marqueeRunning && !timer_.isActive())
    timer_.start();
  else if (!form_.core.marqueeRunning && timer_.isActive())
    timer_.stop();
}

void Marquee::restart() {
  text_ = fromAnsi(form_.MarqueeText);
  frame_ = scroll_.restart(panelWidth());
  syncTimer();
  update();
}

void Marquee::Timer1Timer() {
  if (text_.isEmpty()) return;
  const QFontMetrics metrics(font());
  frame_ = scroll_.step(metrics.horizontalAdvance(text_ + kGap), panelWidth());
  update();
}

void Marquee::PageControl1Change(int tab) {
  if (text_.isEmpty()) return;
  if (tab == kRegPackTab) {
    const std::optional<size_t> offset = regPackStatusOffset(form_.MarqueeText);
    if (!offset) return;
    const QString lead = fromAnsi(form_.MarqueeText.substr(0, *offset));
    frame_ = scroll_.showFrom(QFontMetrics(font()).horizontalAdvance(lead), panelWidth());
  } else if (tab == kBackupTab) {
    frame_ = scroll_.restart(panelWidth());
  } else {
    return;
  }
  update();
}

void Marquee::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  form_.PaintBox1Click();
  syncTimer();
}

void Marquee::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect();
  painter.setClipRect(area);
  if (text_.isEmpty()) {
    painter.drawText(area, Qt::AlignCenter, kPanelCaption);
    return;
  }
  const QFontMetrics metrics(font());
  const QString shown = frame_.twice ? text_ + kGap + text_ : text_;
  const int baseline = area.top() + kTextTop + metrics.ascent();
  painter.drawText(QPointF(static_cast<qreal>(area.left() + frame_.x), baseline), shown);
}

}  // namespace corvasta
