// What the main window's controls start, and how it closes and minimises.

#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/Unit1.h"
#include "extractor/Unit10.h"
#include "ui/About.h"
#include "ui/ExtractorDialog.h"
#include "ui/HelpCommands.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowTabBar.h"
#include "ui/MainWindowTitleBar.h"
#include "ui/OperationGuard.h"
#include "ui/QtUi.h"
#include "ui/Troubleshooters.h"

namespace corvasta {
namespace {

// The troubleshooter menu opens below its button, 28 pixels under its top.
constexpr int kMenuOffset = 28;

}  // namespace

void MainWindow::connectControls() {
  connect(titleBar_, &MainWindowTitleBar::helpClicked, this, &MainWindow::helpClicked);
  connect(titleBar_, &MainWindowTitleBar::minimizeClicked, this, &QWidget::showMinimized);
  connect(titleBar_, &MainWindowTitleBar::minimizeRightClicked, this,
          [this] { guarded([this] { form_.core.MinimizeButtonRightClick(); }); });
  connect(titleBar_, &MainWindowTitleBar::exitClicked, this, &QWidget::close);
  connect(exit_, &QPushButton::clicked, this, &QWidget::close);
  connect(tabBar_, &QTabBar::tabBarClicked, this, [this](int tab) {
    if (tab >= 0) showTab(tab);
  });

  connect(backup_.backup, &QPushButton::clicked, this, &MainWindow::backupClicked);
  connectCrashFixer();
  connectRegPack();
  connect(extractor_.extractor, &QPushButton::clicked, this, &MainWindow::extractorClicked);
  connect(backup_.changeProperties, &QPushButton::clicked, this,
          [this] { preferencesClicked(PrefsPage::BackupProperties, PropertiesTab::Introduction); });
  connect(help_.preferences, &QPushButton::clicked, this,
          [this] { preferencesClicked(PrefsPage::BackupManager, PropertiesTab::Introduction); });
  for (size_t index = 0; index < backup_.configs.size(); ++index)
    connect(backup_.configs[index], &QCheckBox::toggled, this,
            [this, index](bool checked) { form_.core.configChecked[index] = checked; });

  connect(help_.help, &QPushButton::clicked, this,
          [this] { guarded([this] { HelpCont(form_); }); });
  connect(help_.tutorial, &QPushButton::clicked, this,
          [this] { guarded([this] { Button4Click(form_); }); });
  connect(help_.troubleshooters, &QPushButton::clicked, this, &MainWindow::showTroubleshooterMenu);
  connect(help_.about, &QPushButton::clicked, this, &MainWindow::showAbout);
}

QMenu* MainWindow::buildTroubleshooterMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("troubleshooterMenu"));
  const TroubleshooterMenu items = troubleshooterMenu(form_.core.WindowsMode);
  for (int item = 1; item <= kTroubleshooterItems; ++item) {
    const std::optional<TroubleshooterItem>& entry = items[static_cast<size_t>(item - 1)];
    QAction* action = menu->addAction(entry ? fromAnsi(entry->caption) : QString());
    action->setObjectName(QStringLiteral("troubleshooter%1").arg(item));
    action->setVisible(entry.has_value());
    connect(action, &QAction::triggered, menu,
            [this, item] { guarded([this, item] { PM1Click(form_, item); }); });
  }
  return menu;
}

void MainWindow::guarded(const std::function<void()>& operation) {
  runReportingErrors(form_.core, operation);
}

void MainWindow::backupClicked() {
  guarded([this] { form_.BitBtn1Click(); });
  showConfigBoxes();
  endIfTerminated();
}

void MainWindow::extractorClicked() {
  guarded([this] {
    form_.ExtractorClick([this](TForm10& extractor) {
      extractor.ShowHelp = [this](const std::string&, const std::string& topic) {
        showHelpTopic(form_, topic);
      };
      ExtractorDialog dialog(extractor, this);
      dialog.exec();
    });
  });
}

void MainWindow::helpClicked() {
  guarded([this] { HelpClick(form_, activeTab_); });
}

void MainWindow::showTroubleshooterMenu() {
  const QPoint below = help_.troubleshooters->mapToGlobal(QPoint(0, kMenuOffset));
  troubleshooterMenu_->popup(below);
}

void MainWindow::showAbout() {
  AboutDialog about(form_, this);
  about.exec();
}

void MainWindow::endIfTerminated() {
  if (form_.terminateRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The logic may have closed already (after a backup run that ends the
  // program); the view only follows.
  if (form_.terminateRequested && !form_.showMainWindow) return event->accept();
  bool mayClose = true;
  // A settings file that cannot be written is reported; the program still
  // closes, as it could not save on any later try either.
  guarded([&] { mayClose = form_.FormCloseQuery(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  form_.FormClose();
  event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) form_.core.Minimized = isMinimized();
  QWidget::changeEvent(event);
}

}  // namespace corvasta
