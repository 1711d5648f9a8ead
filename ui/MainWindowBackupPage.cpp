// The Backup page: the "&Backup" button and the configs it backs up.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

BackupPage buildBackupPage(QWidget* parent) {
  BackupPage backup;
  backup.page = new QWidget(parent);
  backup.page->setObjectName(QStringLiteral("backupPage"));

  backup.backup = pictureButton(QStringLiteral("&Backup"), Glyph::Backup,
                                QStringLiteral("backupButton"), backup.page);
  backup.backup->setMinimumHeight(36);
  setHint(backup.backup, QStringLiteral("Back up the checked configs."));

  auto* configs = new QGroupBox(backup.page);
  auto* grid = new QGridLayout(configs);
  grid->setContentsMargins(6, 4, 6, 4);
  for (int index = 0; index < 4; ++index) {
    auto* box = new QCheckBox(QStringLiteral("Config %1").arg(index + 1), configs);
    box->setObjectName(QStringLiteral("config%1").arg(index + 1));
    backup.configs[static_cast<size_t>(index)] = box;
    grid->addWidget(box, index / 2, index % 2);
  }

  backup.changeProperties = textButton(QStringLiteral("&Change Backup Properties"),
                                       QStringLiteral("changePropertiesButton"), backup.page);
  markNotAvailable(backup.changeProperties);

  auto* column = new QVBoxLayout(backup.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addWidget(backup.backup);
  column->addWidget(configs);
  column->addWidget(backup.changeProperties);
  column->addStretch(1);
  return backup;
}

}  // namespace corvasta
