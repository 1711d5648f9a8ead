// The Repair page: the setup diskettes and the repair disk of Windows NT 4
// and 2000.

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

RepairPage buildRepairPage(QWidget* parent) {
  RepairPage repair;
  repair.page = new QWidget(parent);
  repair.page->setObjectName(QStringLiteral("repairPage"));
  repair.setupDisks =
      textButton(QStringLiteral("&Setup Disks"), QStringLiteral("setupDisksButton"), repair.page);
  repair.repairDisk =
      textButton(QStringLiteral("&Repair Disk"), QStringLiteral("repairDiskButton"), repair.page);
  markNotAvailable(repair.setupDisks,
                   QStringLiteral("Click Here to Make a Windows Setup Diskettes."));
  markNotAvailable(repair.repairDisk,
                   QStringLiteral("Click Here to Make a Windows Repair Diskette."));
  repair.setupTitle = pageText(QString(), QStringLiteral("setupDisksTitle"), repair.page);
  repair.setupNote = pageText(QString(), QStringLiteral("setupDisksNote"), repair.page);
  repair.repairRegistry = pageText(QString(), QStringLiteral("repairRegistryText"), repair.page);
  repair.repairDiskText = pageText(QString(), QStringLiteral("repairDiskText"), repair.page);

  auto* grid = new QGridLayout(repair.page);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->addWidget(repair.setupDisks, 0, 0);
  grid->addWidget(repair.setupTitle, 0, 1);
  grid->addWidget(repair.setupNote, 1, 0, 1, 2);
  grid->addWidget(repair.repairRegistry, 2, 0, 1, 2);
  grid->addWidget(repair.repairDisk, 3, 0);
  grid->addWidget(repair.repairDiskText, 3, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  return repair;
}

}  // namespace corvasta
