#include "ui/CheckMarkPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace corvasta {

QPixmap checkMarkPixmap(CheckMark mark) {
  QPixmap picture(kCheckMarkSize, kCheckMarkSize);
  picture.fill(Qt::transparent);
  if (mark == CheckMark::None) return picture;
  QPainter painter(&picture);
  // A box of 13 pixels, sunken as the Windows check boxes are.
  painter.fillRect(2, 2, 12, 12, Qt::white);
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(1, 1, 13, 1);
  painter.drawLine(1, 1, 1, 13);
  painter.setPen(QColor(64, 64, 64));
  painter.drawLine(2, 2, 12, 2);
  painter.drawLine(2, 2, 2, 12);
  painter.setPen(QColor(212, 208, 200));
  painter.drawLine(2, 13, 13, 13);
  painter.drawLine(13, 2, 13, 13);
  if (mark == CheckMark::Checked) {
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(4.5, 7.5);
    tick.lineTo(6.5, 10);
    tick.lineTo(11.5, 4.5);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(tick);
  }
  return picture;
}

QIcon checkedItemPicture(CheckMark mark, const QIcon& icon) {
  QPixmap picture(2 * kCheckMarkSize, kCheckMarkSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.drawPixmap(0, 0, checkMarkPixmap(mark));
  painter.drawPixmap(kCheckMarkSize, 0, icon.pixmap(kCheckMarkSize, kCheckMarkSize));
  return QIcon(picture);
}

}  // namespace corvasta
