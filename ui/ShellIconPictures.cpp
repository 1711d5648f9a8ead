#include "ui/ShellIconPictures.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "platform/shell/shell_icons.h"

namespace corvasta {
namespace {

// A small window with a blue caption: how the shell shows a program.
QIcon programPicture() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(Qt::white);
  painter.drawRect(1, 2, 13, 11);
  painter.fillRect(2, 3, 12, 3, QColor(0, 0, 160));
  return QIcon(picture);
}

}  // namespace

QIcon shellIconPicture(const platform::ShellIcon& icon) {
  using platform::ShellIconKind;
  const QStyle* style = QApplication::style();
  switch (icon.kind) {
    case ShellIconKind::RemovableDrive:
      return style->standardIcon(QStyle::SP_DriveFDIcon);
    case ShellIconKind::FixedDrive:
    case ShellIconKind::RamDrive:
      return style->standardIcon(QStyle::SP_DriveHDIcon);
    case ShellIconKind::RemoteDrive:
      return style->standardIcon(QStyle::SP_DriveNetIcon);
    case ShellIconKind::CdRomDrive:
      return style->standardIcon(QStyle::SP_DriveCDIcon);
    case ShellIconKind::Folder:
      return style->standardIcon(QStyle::SP_DirIcon);
    case ShellIconKind::Program:
      return programPicture();
    case ShellIconKind::Document:
      break;
  }
  return style->standardIcon(QStyle::SP_FileIcon);
}

}  // namespace corvasta
