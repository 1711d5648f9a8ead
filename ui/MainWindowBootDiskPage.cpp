// The Boot Disk page.

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

BootDiskPage buildBootDiskPage(QWidget* parent) {
  BootDiskPage boot;
  boot.page = new QWidget(parent);
  boot.page->setObjectName(QStringLiteral("bootDiskPage"));
  boot.bootDisk = pictureButton(QStringLiteral("&Boot Disk"), Glyph::BootDisk,
                                QStringLiteral("bootDiskButton"), boot.page);
  boot.kinds = new QComboBox(boot.page);
  boot.kinds->setObjectName(QStringLiteral("bootDiskKinds"));
  markNotAvailable(boot.bootDisk);
  markNotAvailable(boot.kinds);
  boot.firstText = pageText(QString(), QStringLiteral("bootDiskFirstText"), boot.page);
  boot.secondText = pageText(QString(), QStringLiteral("bootDiskSecondText"), boot.page);
  boot.note = pageText(QString(), QStringLiteral("bootDiskNote"), boot.page);

  auto* top = new QHBoxLayout;
  top->addWidget(boot.bootDisk);
  top->addWidget(boot.kinds, 1);
  auto* column = new QVBoxLayout(boot.page);
  column->setContentsMargins(8, 4, 8, 4);
  column->setSpacing(3);
  column->addLayout(top);
  column->addWidget(boot.firstText);
  column->addWidget(boot.secondText);
  column->addWidget(boot.note);
  column->addStretch(1);
  return boot;
}

}  // namespace corvasta
