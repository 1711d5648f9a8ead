// Applying the mode-dependent texts to the pages.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/MainWindowModeTexts.h"
#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

void applyModeTexts(const MainWindowModeTexts& texts, CrashFixerPage& crashFixer,
                    RegPackPage& regPack, BootDiskPage& bootDisk, RepairPage& repair) {
  crashFixer.sources->clear();
  for (const std::string& source : texts.restoreSources)
    crashFixer.sources->addItem(fromAnsi(source));

  regPack.kind->setVisible(texts.regPackListShown);
  regPack.note->setText(fromAnsi(texts.regPackNote));
  regPack.third->setVisible(texts.thirdRegPackButtonShown);
  regPack.third->setText(fromAnsi(texts.thirdRegPackCaption));
  markNotAvailable(regPack.third, fromAnsi(texts.thirdRegPackHint));

  bootDisk.kinds->clear();
  for (const std::string& entry : texts.bootDiskEntries) bootDisk.kinds->addItem(fromAnsi(entry));
  bootDisk.kinds->setVisible(texts.bootDiskListShown);
  bootDisk.firstText->setText(fromAnsi(texts.bootDiskFirstText));
  bootDisk.secondText->setText(fromAnsi(texts.bootDiskSecondText));
  bootDisk.note->setText(fromAnsi(texts.bootDiskNote));

  repair.setupTitle->setText(fromAnsi(texts.setupDisksTitle));
  repair.setupNote->setText(fromAnsi(texts.setupDisksNote));
  repair.repairRegistry->setText(fromAnsi(texts.repairRegistryText));
  repair.repairDiskText->setText(fromAnsi(texts.repairDiskText));
  repair.repairDisk->setVisible(texts.repairDiskShown);
  repair.repairDiskText->setVisible(texts.repairDiskShown);
}

}  // namespace corvasta
