// The window start sequence and showing TForm1's state in the controls,
// the texts that depend on the Windows mode among it.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/Unit1.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowModeTexts.h"
#include "ui/MainWindowTabBar.h"
#include "ui/MainWindowWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

// The mode-dependent texts, lists and visibility on the pages.
void applyModeTexts(const MainWindowModeTexts& texts, RegPackPage& regPack, BootDiskPage& bootDisk,
                    RepairPage& repair) {
  regPack.kind->setVisible(texts.regPackListShown);
  regPack.note->setText(fromAnsi(texts.regPackNote));
  regPack.third->setVisible(texts.thirdRegPackButtonShown);
  regPack.third->setText(fromAnsi(texts.thirdRegPackCaption));
  setHint(regPack.third, fromAnsi(texts.thirdRegPackHint));

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

}  // namespace

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (started_ || startQueued_) return;
  startQueued_ = true;
  QTimer::singleShot(0, this, &MainWindow::startWindow);
}

void MainWindow::startWindow() {
  if (started_) return;
  started_ = true;
  guarded([this] { form_.FormShow(); });
  showFormState();
  if (form_.activeTab != kIntroductionPage) showTab(form_.activeTab);
  endIfTerminated();
}

void MainWindow::showFormState() {
  const MainWindowModeTexts texts =
      mainWindowModeTexts(form_.core.WindowsMode, form_.core.LongModeName);
  applyModeTexts(texts, regPack_, bootDisk_, repair_);
  tabBar_->setTabVisible(kRepairTab, texts.repairTabShown);
  showConfigBoxes();

  showRestorePage();
  showRegPackPage();
}

void MainWindow::showConfigBoxes() {
  for (size_t index = 0; index < backup_.configs.size(); ++index) {
    QCheckBox* box = backup_.configs[index];
    const QSignalBlocker quiet(box);
    box->setText(fromAnsi(form_.core.Form8.configNames[index]));
    box->setChecked(form_.core.configChecked[index]);
    // Config 1 always has a target (the program directory by default).
    box->setEnabled(index == 0 || form_.core.configEnabled[index]);
  }
}

}  // namespace corvasta
