// The Other Files editor's "Select" row: "All" and one toggle button per
// file type, each with a drawn page and its extension, and its hint. A
// button pressed or released goes to TypeButtonClick; the refresh shows
// which types the lists select in the current folder.

#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

#include "backup/Unit11.h"
#include "ui/OtherFilesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kGlyph = 20;

// A page with a folded corner and a coloured band holding the extension.
QIcon typeGlyph(const std::string& mask, size_t button) {
  static const QColor kBands[] = {QColor(0, 0, 160),   QColor(0, 128, 0),   QColor(128, 0, 128),
                                  QColor(160, 80, 0),  QColor(0, 128, 128), QColor(192, 0, 0),
                                  QColor(96, 96, 0),   QColor(64, 64, 64),  QColor(0, 64, 160),
                                  QColor(128, 64, 64), QColor(96, 0, 160)};
  QPixmap picture(kGlyph, kGlyph);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPolygonF page{{4.5, 0.5}, {13.5, 0.5}, {17.5, 4.5}, {17.5, 19.5}, {4.5, 19.5}};
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(Qt::white);
  painter.drawPolygon(page);
  painter.drawPolyline(QPolygonF{{13.5, 0.5}, {13.5, 4.5}, {17.5, 4.5}});
  const QColor band = kBands[(button - 1) % std::size(kBands)];
  painter.fillRect(QRectF(1, 10, 18, 8), band);
  QFont small = painter.font();
  small.setPixelSize(7);
  small.setBold(true);
  painter.setFont(small);
  painter.setPen(Qt::white);
  const std::string extension = mask.substr(mask.find('.') + 1);
  painter.drawText(QRectF(1, 10, 18, 8), Qt::AlignCenter, QString::fromLatin1(extension).toUpper());
  return QIcon(picture);
}

}  // namespace

QWidget* buildFileTypeButtons(const OtherFilesPageContext& context) {
  TForm11& form = context.form;
  auto* row = named(new QWidget(context.parent), "fileTypeButtons");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  // Down is sunken and tinted, plainly apart from up.
  row->setStyleSheet(QStringLiteral(
      "QToolButton { border: 1px solid #808080; border-radius: 2px; background: #f0f0f0; }"
      "QToolButton:checked { border: 2px inset #404040; background: #b8c8e8; }"));
  for (size_t button = 0; button < kFileTypeButtons; ++button) {
    const FileTypeButton& type = fileTypeButtons()[button];
    auto* shown = new QToolButton(row);
    shown->setObjectName(QStringLiteral("typeButton%1").arg(button));
    shown->setCheckable(true);
    shown->setToolTip(fromAnsi(type.hint));
    shown->setFixedSize(kGlyph + 6, kGlyph + 6);
    if (button == 0) {
      shown->setText(QStringLiteral("All"));
    } else {
      shown->setIcon(typeGlyph(type.mask, button));
      shown->setIconSize(QSize(kGlyph, kGlyph));
    }
    QObject::connect(shown, &QToolButton::clicked, shown, [context, &form, button](bool down) {
      context.press([&form, button, down] { form.TypeButtonClick(button, down); });
    });
    context.onRefresh([shown, &form, button] {
      const QSignalBlocker quiet(shown);
      shown->setChecked(form.typeDown[button]);
    });
    layout->addWidget(shown);
  }
  return row;
}

}  // namespace corvasta
