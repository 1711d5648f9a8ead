// The pages of the main window, one builder each: the introduction page,
// then the tabs' pages in tab order.

#include "ui/MainWindowPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowWidgets.h"

namespace corvasta {
namespace {

QWidget* newPage(QWidget* parent, const QString& objectName) {
  auto* page = new QWidget(parent);
  page->setObjectName(objectName);
  return page;
}

// The picture button of a page's own operation, taller than the others.
QPushButton* operationButton(const QString& caption, Glyph glyph, const QString& objectName,
                             QWidget* page) {
  QPushButton* button = pictureButton(caption, glyph, objectName, page);
  button->setMinimumHeight(36);
  return button;
}

}  // namespace

// The page shown at start, before any tab is chosen.
QWidget* buildIntroductionPage(QWidget* parent) {
  auto* page = newPage(parent, QStringLiteral("introductionPage"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 4, 8, 4);
  column->setSpacing(4);

  auto* title = new QLabel(QStringLiteral("4 Utilities in 1"), page);
  title->setObjectName(QStringLiteral("introductionTitle"));
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() + 4);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignHCenter);
  column->addWidget(title);

  struct Heading {
    const char* title;
    const char* line;
    Glyph glyph;
  };
  static constexpr Heading kHeadings[] = {
      {"Crash Fixer", "Restores Windows from a backup when it crashes.", Glyph::Restore},
      {"RegPack", "Makes the registry smaller and faster.", Glyph::RegPack},
      {"Backup", "Backs up the registry, the Windows settings and your files.", Glyph::Backup},
      {"Troubleshooters", "Help with Windows problems, one click away.", Glyph::Help},
  };
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  int row = 0;
  for (const Heading& heading : kHeadings) {
    auto* icon = new QLabel(page);
    icon->setPixmap(glyphPixmap(heading.glyph, 20));
    auto* name = new QLabel(QString::fromLatin1(heading.title), page);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    grid->addWidget(icon, row, 0);
    grid->addWidget(name, row, 1);
    grid->addWidget(pageText(QString::fromLatin1(heading.line), QString(), page), row, 2);
    ++row;
  }
  grid->setColumnStretch(2, 1);
  column->addLayout(grid);
  column->addStretch(1);
  return page;
}

// The Backup page: the "&Backup" button and the configs it backs up.
BackupPage buildBackupPage(QWidget* parent) {
  BackupPage backup;
  backup.page = newPage(parent, QStringLiteral("backupPage"));

  backup.backup = operationButton(QStringLiteral("&Backup"), Glyph::Backup,
                                  QStringLiteral("backupButton"), backup.page);
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

  auto* column = new QVBoxLayout(backup.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addWidget(backup.backup);
  column->addWidget(configs);
  column->addWidget(backup.changeProperties);
  column->addStretch(1);
  return backup;
}

// The Crash Fixer page: the restore source, its extent and the Restore button.
CrashFixerPage buildCrashFixerPage(QWidget* parent) {
  CrashFixerPage fixer;
  fixer.page = newPage(parent, QStringLiteral("crashFixerPage"));

  auto* sourceLabel = pageText(
      QStringLiteral(
          "&1. Choose Backup to Restore (to see a list of available backups, click on an item):"),
      QStringLiteral("sourceLabel"), fixer.page);
  fixer.sources = new QComboBox(fixer.page);
  fixer.sources->setObjectName(QStringLiteral("restoreSources"));
  sourceLabel->setBuddy(fixer.sources);

  auto* extentLabel = new QLabel(QStringLiteral("&2. Select Extent to Restore:"), fixer.page);
  static constexpr const char* kExtent[] = {
      "&Windows Crash (Registry)", "&Another Type of Crash (WinConfig)",
      "&Lost User Data (User Profile)", "Backed up Data (Other Files)"};
  static constexpr const char* kExtentNames[] = {"winCrash", "winUsers", "userFiles", "otherFiles"};
  // One column of boxes, the Restore button beside it: the captions are too
  // long for two columns on the page.
  auto* extent = new QVBoxLayout;
  extent->setContentsMargins(8, 0, 0, 0);
  extent->setSpacing(0);
  for (size_t index = 0; index < 4; ++index) {
    auto* box = new QCheckBox(QString::fromLatin1(kExtent[index]), fixer.page);
    box->setObjectName(QString::fromLatin1(kExtentNames[index]));
    fixer.extent[index] = box;
    extent->addWidget(box);
  }
  extentLabel->setBuddy(fixer.extent[0]);

  fixer.restore = pictureButton(QStringLiteral("&3. Restore"), Glyph::Restore,
                                QStringLiteral("restoreButton"), fixer.page);
  fixer.willRestart = new QLabel(QStringLiteral("Windows will Restart"), fixer.page);
  fixer.willRestart->setObjectName(QStringLiteral("willRestart"));

  auto* restoreColumn = new QVBoxLayout;
  restoreColumn->setSpacing(2);
  restoreColumn->addWidget(fixer.restore);
  restoreColumn->addWidget(fixer.willRestart);
  restoreColumn->addStretch(1);

  auto* bottom = new QHBoxLayout;
  bottom->addLayout(extent);
  bottom->addStretch(1);
  bottom->addLayout(restoreColumn);

  auto* column = new QVBoxLayout(fixer.page);
  column->setContentsMargins(8, 4, 8, 4);
  column->setSpacing(2);
  column->addWidget(sourceLabel);
  column->addWidget(fixer.sources);
  column->addWidget(extentLabel);
  column->addLayout(bottom);
  column->addStretch(1);
  return fixer;
}

// The RegPack page: RegPack, its undo, the kind list and the third button.
RegPackPage buildRegPackPage(QWidget* parent) {
  RegPackPage regPack;
  regPack.page = newPage(parent, QStringLiteral("regPackPage"));

  regPack.regPack = pictureButton(QStringLiteral("&RegPack"), Glyph::RegPack,
                                  QStringLiteral("regPackButton"), regPack.page);
  regPack.undoRegPack = textButton(QStringLiteral("&Undo RegPack"),
                                   QStringLiteral("undoRegPackButton"), regPack.page);
  regPack.kind = new QComboBox(regPack.page);
  regPack.kind->setObjectName(QStringLiteral("regPackKind"));
  regPack.kind->addItems({QStringLiteral("Quick RegPack"), QStringLiteral("Expanded RegPack")});
  regPack.third = textButton(QStringLiteral("&Check the Registry"),
                             QStringLiteral("thirdRegPackButton"), regPack.page);
  regPack.note = pageText(QString(), QStringLiteral("regPackNote"), regPack.page);
  // Until the window start sequence has found the undo copy.
  regPack.undoRegPack->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->addWidget(regPack.regPack, 0, 0);
  grid->addWidget(regPack.kind, 0, 1);
  grid->addWidget(regPack.undoRegPack, 1, 0);
  grid->addWidget(regPack.third, 1, 1);
  // Two equal columns, also where the mode hides the second one's controls.
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  auto* column = new QVBoxLayout(regPack.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addLayout(grid);
  column->addWidget(regPack.note);
  column->addStretch(1);
  return regPack;
}

// The Extractor page.
ExtractorPage buildExtractorPage(QWidget* parent) {
  ExtractorPage extractor;
  extractor.page = newPage(parent, QStringLiteral("extractorPage"));
  extractor.extractor = operationButton(QStringLiteral("&Extractor"), Glyph::Extractor,
                                        QStringLiteral("extractorButton"), extractor.page);
  auto* column = new QVBoxLayout(extractor.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addWidget(extractor.extractor);
  column->addWidget(pageText(QStringLiteral("Restores single files or folders from a backup, "
                                            "also files of the Other Files section."),
                             QStringLiteral("extractorText"), extractor.page));
  column->addStretch(1);
  return extractor;
}

// The Boot Disk page.
BootDiskPage buildBootDiskPage(QWidget* parent) {
  BootDiskPage boot;
  boot.page = newPage(parent, QStringLiteral("bootDiskPage"));
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

// The Repair page: the setup diskettes and the repair disk of Windows NT 4
// and 2000.
RepairPage buildRepairPage(QWidget* parent) {
  RepairPage repair;
  repair.page = newPage(parent, QStringLiteral("repairPage"));
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

// The Help page: help, the tutorial, the troubleshooters and the About screen.
HelpPage buildHelpPage(QWidget* parent) {
  HelpPage help;
  help.page = newPage(parent, QStringLiteral("helpPage"));
  help.help = operationButton(QStringLiteral("&Help"), Glyph::Help, QStringLiteral("helpContents"),
                              help.page);
  help.preferences = textButton(QStringLiteral("&Preferences, Settings, Backup Manager"),
                                QStringLiteral("preferencesButton"), help.page);
  help.tutorial = textButton(QStringLiteral("&Quick Tutorial to Corvasta"),
                             QStringLiteral("tutorialButton"), help.page);
  help.troubleshooters = textButton(QStringLiteral("Windows &Troubleshooters (click for list)"),
                                    QStringLiteral("troubleshootersButton"), help.page);
  help.about = textButton(QStringLiteral("&About Corvasta (startup screen)"),
                          QStringLiteral("aboutButton"), help.page);

  auto* grid = new QGridLayout(help.page);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->setVerticalSpacing(3);
  grid->addWidget(help.help, 0, 0, 2, 1);
  grid->addWidget(help.tutorial, 0, 1);
  grid->addWidget(help.troubleshooters, 1, 1);
  grid->addWidget(help.preferences, 2, 0, 1, 2);
  grid->addWidget(help.about, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  return help;
}

}  // namespace corvasta
