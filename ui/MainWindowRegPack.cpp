// The RegPack page: its buttons bound to the RegPack subsystem, the
// Quick/Expanded list kept in the settings, and the Undo RegPack button
// following the undo copy after every operation.

#include <QComboBox>
#include <QPushButton>

#include "app/Unit1.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

void MainWindow::connectRegPack() {
  setHint(regPack_.undoRegPack, QStringLiteral("Undo last RegPack"));
  connect(regPack_.regPack, &QPushButton::clicked, this,
          [this] { runRegPackOperation([this] { form_.CompactClick(); }); });
  connect(regPack_.undoRegPack, &QPushButton::clicked, this,
          [this] { runRegPackOperation([this] { form_.Button6Click(); }); });
  connect(regPack_.third, &QPushButton::clicked, this,
          [this] { runRegPackOperation([this] { form_.Button3Click(); }); });
  connect(regPack_.kind, &QComboBox::activated, this,
          [this](int index) { guarded([this, index] { form_.regpack.ComboBoxChange(index); }); });
}

void MainWindow::runRegPackOperation(const std::function<void()>& operation) {
  guarded(operation);
  form_.undoRegPackEnabled = form_.regpack.UndoAvailable();
  showRegPackPage();
  endIfTerminated();
}

void MainWindow::showRegPackPage() {
  regPack_.regPack->setEnabled(true);
  regPack_.undoRegPack->setEnabled(form_.undoRegPackEnabled);
  regPack_.third->setEnabled(true);
  regPack_.kind->setEnabled(true);
  const QSignalBlocker quiet(regPack_.kind);
  regPack_.kind->setCurrentIndex(form_.core.Form8.regPackMode == 1 ? 1 : 0);
}

}  // namespace corvasta
