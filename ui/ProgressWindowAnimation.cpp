#include "ui/ProgressWindowAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace corvasta {
namespace {

constexpr int kFrames = 20;  // frames of one flight
constexpr int kFrameMilliseconds = 60;
constexpr int kFolderWidth = 44;
constexpr int kFolderHeight = 30;
constexpr int kSheetWidth = 16;
constexpr int kSheetHeight = 20;
constexpr int kFlightHeight = 26;  // how high the sheet rises in mid-flight

void drawFolder(QPainter& painter, QRectF box) {
  const QColor body(0xF2, 0xC9, 0x4C);
  const QColor edge(0x8A, 0x6A, 0x10);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(body.darker(110));
  painter.drawRect(QRectF(box.left(), box.top() - 4, box.width() * 0.4, 6));  // the tab
  painter.setBrush(body);
  painter.drawRect(box);
}

}  // namespace

ProgressWindowAnimation::ProgressWindowAnimation(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(kFrameMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &ProgressWindowAnimation::advance);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ProgressWindowAnimation::sizeHint() const {
  return {272, 80};
}

void ProgressWindowAnimation::start() {
  if (!timer_.isActive()) timer_.start();
}

void ProgressWindowAnimation::stop() {
  timer_.stop();
  frame_ = 0;
  update();
}

void ProgressWindowAnimation::advance() {
  ++frame_;
  update();
}

void ProgressWindowAnimation::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal bottom = height() - 4;
  const QRectF source(16, bottom - kFolderHeight, kFolderWidth, kFolderHeight);
  const QRectF target(width() - 16 - kFolderWidth, bottom - kFolderHeight, kFolderWidth,
                      kFolderHeight);
  drawFolder(painter, source);
  drawFolder(painter, target);
  if (!timer_.isActive()) return;

  // The sheet leaves the source folder's top and lands in the target's,
  // along a half sine.
  const qreal t = static_cast<qreal>(frame_ % kFrames) / (kFrames - 1);
  const qreal startX = source.center().x() - kSheetWidth / 2.0;
  const qreal endX = target.center().x() - kSheetWidth / 2.0;
  const qreal x = startX + (endX - startX) * t;
  const qreal y = source.top() - kSheetHeight + 8 - std::sin(std::numbers::pi * t) * kFlightHeight;
  const QRectF sheet(x, y, kSheetWidth, kSheetHeight);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(sheet);
  painter.setPen(QPen(Qt::gray, 1));
  for (int line = 1; line <= 3; ++line) {
    const qreal lineY = sheet.top() + line * kSheetHeight / 4.5;
    painter.drawLine(QPointF(sheet.left() + 3, lineY), QPointF(sheet.right() - 3, lineY));
  }
}

}  // namespace corvasta
