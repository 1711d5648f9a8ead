// The Crash Fixer page bound to the restore sources: the source list with
// its rewritten items, the extent boxes the selected source enables, the
// "Windows will Restart" label and the Restore button.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/Unit1.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace corvasta {

void MainWindow::connectCrashFixer() {
  CrashFixerPage& page = crashFixer_;
  // The menus open at the list's top-left corner.
  if (auto* qtUi = dynamic_cast<QtUi*>(&form_.core.env.ui)) qtUi->setMenuAnchor(page.sources);
  TForm1* form = &form_;
  form->restore.sources.OnPageChanged = [this] { showRestorePage(); };
  connect(this, &QObject::destroyed, [form] { form->restore.sources.OnPageChanged = nullptr; });

  // Choosing an item, even the one already selected, shows its menu.
  connect(page.sources, &QComboBox::activated, this, [this](int index) {
    guarded([this, index] {
      form_.core.restoreType = index;
      form_.ComboBox1Change();
    });
    showRestorePage();
  });
  connect(page.extent[kWinCrashBox], &QCheckBox::clicked, this,
          [this](bool checked) { form_.WinCrashClick(checked); });
  connect(page.extent[kWinUsersBox], &QCheckBox::clicked, this,
          [this](bool checked) { form_.WinUsersClick(checked); });
  connect(page.extent[kUserFilesBox], &QCheckBox::clicked, this,
          [this](bool checked) { form_.core.userFiles = checked; });
  connect(page.extent[kOtherFilesBox], &QCheckBox::clicked, this,
          [this](bool checked) { form_.core.otherFiles = checked; });
  connect(page.restore, &QPushButton::clicked, this, [this] {
    guarded([this] { form_.RestoreClick(); });
    showRestorePage();
  });
}

void MainWindow::showRestorePage() {
  CrashFixerPage& page = crashFixer_;
  const RestoreSources& sources = form_.restore.sources;
  const std::vector<std::string> texts = sources.itemTexts();
  {
    const QSignalBlocker quiet(page.sources);
    if (page.sources->count() != static_cast<int>(texts.size())) {
      page.sources->clear();
      for (const std::string& text : texts) page.sources->addItem(fromAnsi(text));
    } else {
      for (size_t i = 0; i < texts.size(); ++i)
        page.sources->setItemText(static_cast<int>(i), fromAnsi(texts[i]));
    }
    page.sources->setCurrentIndex(sources.selectedItem() ? form_.core.restoreType : -1);
  }
  const std::array<bool, 4> checked{form_.core.winCrash, form_.core.winUsers, form_.core.userFiles,
                                    form_.core.otherFiles};
  for (size_t index = 0; index < checked.size(); ++index) {
    QCheckBox* box = page.extent[index];
    const QSignalBlocker quiet(box);
    box->setChecked(checked[index]);
    box->setEnabled(form_.restore.state.extentEnabled[index]);
  }
  page.willRestart->setVisible(sources.willRestart());
}

}  // namespace corvasta
