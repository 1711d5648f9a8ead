// The glyphs are drawn on a 16-unit grid and scaled, so every size stays sharp.

#include "ui/MainWindowGlyphs.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace corvasta {
namespace {

const QColor kInk(30, 30, 30);
const QColor kRed(176, 24, 24);
const QColor kBlue(36, 76, 160);
const QColor kGreen(30, 130, 60);
const QColor kGold(214, 170, 40);

void drawDiskette(QPainter& p, const QColor& body) {
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(body);
  p.drawRect(QRectF(2, 2, 12, 12));
  p.setBrush(QColor(220, 220, 220));
  p.drawRect(QRectF(4.5, 2, 7, 4));  // shutter
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 9, 8, 5));  // label
}

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF direction = (to - from) / std::max(1.0, QLineF(from, to).length());
  const QPointF normal(-direction.y(), direction.x());
  QPainterPath head;
  head.moveTo(to + direction * 1.5);
  head.lineTo(to - direction * 2.5 + normal * 2.5);
  head.lineTo(to - direction * 2.5 - normal * 2.5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(head);
}

void drawText(QPainter& p, const QRectF& box, const QString& text, const QColor& color,
              qreal pointSize, bool bold = true) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void drawGlyph(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::Backup:
      drawDiskette(p, kBlue);
      drawArrow(p, QPointF(8, -1), QPointF(8, 7), kGreen);
      break;
    case Glyph::Restore:
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawRect(QRectF(6.5, 3.5, 3, 9));
      p.drawRect(QRectF(3.5, 6.5, 9, 3));
      break;
    case Glyph::RegPack:
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(kGold);
      p.drawRect(QRectF(5.5, 3, 5, 10));
      drawArrow(p, QPointF(0, 8), QPointF(3.5, 8), kBlue);
      drawArrow(p, QPointF(16, 8), QPointF(12.5, 8), kBlue);
      break;
    case Glyph::Extractor:
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(QColor(190, 140, 80));
      p.drawRect(QRectF(2, 8, 10, 6));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(8, 2, 6, 7));
      drawArrow(p, QPointF(6, 10), QPointF(9.5, 5.5), kGreen);
      break;
    case Glyph::BootDisk:
      drawDiskette(p, QColor(60, 60, 60));
      p.setPen(QPen(kGreen, 1.4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5.5, 9.3, 5, 4.4), 120 * 16, 300 * 16);
      break;
    case Glyph::Help:
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(QColor(255, 240, 150));
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      drawText(p, QRectF(0, 0, 16, 16), QStringLiteral("?"), kBlue, 9);
      break;
    case Glyph::Wizard: {
      QPainterPath hat;
      hat.moveTo(8, 1);
      hat.lineTo(13, 13);
      hat.lineTo(3, 13);
      hat.closeSubpath();
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(kBlue);
      p.drawPath(hat);
      p.drawRect(QRectF(1.5, 12.5, 13, 2));
      p.setPen(Qt::NoPen);
      p.setBrush(kGold);
      p.drawEllipse(QRectF(6.5, 6.5, 3, 3));
      break;
    }
    case Glyph::Exit:
      p.setPen(QPen(kInk, 0.8));
      p.setBrush(QColor(150, 100, 60));
      p.drawRect(QRectF(2, 2, 7, 12));
      drawArrow(p, QPointF(7, 8), QPointF(14, 8), kRed);
      break;
    case Glyph::CaptionHelp:
      drawText(p, QRectF(0, 0, 16, 16), QStringLiteral("?"), Qt::white, 9);
      break;
    case Glyph::CaptionMinimize:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4, 11, 8, 2));
      break;
    case Glyph::CaptionExit:
      p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
      p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
      break;
  }
}

}  // namespace

QPixmap glyphPixmap(Glyph glyph, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  drawGlyph(painter, glyph);
  return pixmap;
}

QIcon glyphIcon(Glyph glyph, int size) {
  return QIcon(glyphPixmap(glyph, size));
}

QPixmap logoPixmap(int width, int height, const QColor& nameColour) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A white shield with a red check mark, then the name.
  const qreal h = height;
  QPainterPath shield;
  shield.moveTo(h * 0.1, h * 0.12);
  shield.lineTo(h * 0.9, h * 0.12);
  shield.lineTo(h * 0.9, h * 0.5);
  shield.quadTo(h * 0.85, h * 0.85, h * 0.5, h * 0.95);
  shield.quadTo(h * 0.15, h * 0.85, h * 0.1, h * 0.5);
  shield.closeSubpath();
  p.setPen(QPen(QColor(90, 0, 0), 1));
  p.setBrush(Qt::white);
  p.drawPath(shield);
  p.setPen(QPen(kRed, h * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF(
      {QPointF(h * 0.28, h * 0.5), QPointF(h * 0.45, h * 0.7), QPointF(h * 0.75, h * 0.3)}));
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPixelSize(static_cast<int>(h * 0.72));
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(nameColour);
  p.drawText(QRectF(h * 1.1, 0, width - h * 1.1, h), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("Corvasta"));
  return pixmap;
}

}  // namespace corvasta
