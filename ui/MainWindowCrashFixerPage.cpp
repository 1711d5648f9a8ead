// The Crash Fixer page: the restore source, its extent and the Restore button.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

CrashFixerPage buildCrashFixerPage(QWidget* parent) {
  CrashFixerPage fixer;
  fixer.page = new QWidget(parent);
  fixer.page->setObjectName(QStringLiteral("crashFixerPage"));

  auto* sourceLabel = pageText(
      QStringLiteral(
          "&1. Choose Backup to Restore (to see a list of available backups, click on an item):"),
      QStringLiteral("sourceLabel"), fixer.page);
  fixer.sources = new QComboBox(fixer.page);
  fixer.sources->setObjectName(QStringLiteral("restoreSources"));
  sourceLabel->setBuddy(fixer.sources);
  markNotAvailable(fixer.sources);

  auto* extentLabel = new QLabel(QStringLiteral("&2. Select Extent to Restore:"), fixer.page);
  static constexpr const char* kExtent[] = {
      "&Windows Crash (Registry)", "&Another Type of Crash (WinConfig)",
      "&Lost User Data (User Profile)", "Backed up Data (Other Files)"};
  static constexpr const char* kExtentNames[] = {"winCrash", "winUsers", "userFiles", "otherFiles"};
  auto* extent = new QGridLayout;
  extent->setContentsMargins(8, 0, 0, 0);
  extent->setVerticalSpacing(0);
  for (size_t index = 0; index < 4; ++index) {
    auto* box = new QCheckBox(QString::fromLatin1(kExtent[index]), fixer.page);
    box->setObjectName(QString::fromLatin1(kExtentNames[index]));
    markNotAvailable(box);
    fixer.extent[index] = box;
    extent->addWidget(box, static_cast<int>(index % 2), static_cast<int>(index / 2));
  }
  extentLabel->setBuddy(fixer.extent[0]);

  fixer.restore = pictureButton(QStringLiteral("&3. Restore"), Glyph::Restore,
                                QStringLiteral("restoreButton"), fixer.page);
  markNotAvailable(fixer.restore);
  fixer.willRestart = new QLabel(QStringLiteral("Windows will Restart"), fixer.page);
  fixer.willRestart->setObjectName(QStringLiteral("willRestart"));

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(fixer.restore);
  bottom->addWidget(fixer.willRestart);
  bottom->addStretch(1);

  auto* column = new QVBoxLayout(fixer.page);
  column->setContentsMargins(8, 4, 8, 4);
  column->setSpacing(2);
  column->addWidget(sourceLabel);
  column->addWidget(fixer.sources);
  column->addWidget(extentLabel);
  column->addLayout(extent);
  column->addLayout(bottom);
  column->addStretch(1);
  return fixer;
}

}  // namespace corvasta
