#include "ui/MainWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/Unit1.h"
#include "backup/Unit11.h"
#include "ui/MainWindowTabBar.h"
#include "ui/MainWindowTitleBar.h"
#include "ui/MainWindowWidgets.h"
#include "ui/Marquee.h"

namespace corvasta {
namespace {

constexpr int kLeftColumnWidth = 100;
constexpr int kStatusHeight = 20;

// Tab captions in MainTab order.
constexpr const char* kTabCaptions[] = {"Backup",    "Crash Fixer", "RegPack", "Extractor",
                                        "Boot Disk", "Repair",      "Help"};

}  // namespace

MainWindow::MainWindow(TForm1& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), form_(form) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Corvasta"));
  setFixedSize(kWidth, kHeight);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(7.5);
  setFont(font);
  buildLayout();
  connectControls();
  if (!form_.logoPicture.empty())
    titleBar_->setLogoFile(
        QString::fromStdString(form_.core.env.machine.resolve(form_.logoPicture).host.string()));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout() {
  titleBar_ = new MainWindowTitleBar(this);
  titleBar_->setFixedHeight(24);

  tabBar_ = new MainWindowTabBar(this);
  for (const char* caption : kTabCaptions) tabBar_->addTab(QString::fromLatin1(caption));
  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setFrameShape(QFrame::StyledPanel);
  backup_ = buildBackupPage(pages_);
  crashFixer_ = buildCrashFixerPage(pages_);
  regPack_ = buildRegPackPage(pages_);
  extractor_ = buildExtractorPage(pages_);
  bootDisk_ = buildBootDiskPage(pages_);
  repair_ = buildRepairPage(pages_);
  help_ = buildHelpPage(pages_);
  // Stack index 0 is the introduction page; tab t is at t + 1.
  for (QWidget* page : {buildIntroductionPage(pages_), backup_.page, crashFixer_.page,
                        regPack_.page, extractor_.page, bootDisk_.page, repair_.page, help_.page})
    pages_->addWidget(page);
  showTab(kIntroductionPage);

  auto* middle = new QVBoxLayout;
  middle->setSpacing(0);
  middle->addWidget(tabBar_);
  middle->addWidget(pages_, 1);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(3, 3, 3, 2);
  body->setSpacing(4);
  body->addWidget(buildLeftColumn());
  body->addLayout(middle, 1);

  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(0, 0, 0, 0);
  window->setSpacing(0);
  window->addWidget(titleBar_);
  window->addLayout(body, 1);
  window->addWidget(buildStatusPanel());

  troubleshooterMenu_ = buildTroubleshooterMenu();
}

QWidget* MainWindow::buildLeftColumn() {
  auto* column = new QWidget(this);
  column->setObjectName(QStringLiteral("leftColumn"));
  column->setFixedWidth(kLeftColumnWidth);
  backupWizard_ = pictureButton(QStringLiteral("Backup &Wizard"), Glyph::Wizard,
                                QStringLiteral("backupWizardButton"), column);
  restoreWizard_ = pictureButton(QStringLiteral("Restore Wi&zard"), Glyph::Wizard,
                                 QStringLiteral("restoreWizardButton"), column);
  exit_ =
      pictureButton(QStringLiteral("E&xit"), Glyph::Exit, QStringLiteral("exitLeftButton"), column);
  markNotAvailable(backupWizard_);
  markNotAvailable(restoreWizard_);
  setHint(exit_, QStringLiteral("Exit Corvasta"));
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 18, 0, 0);
  layout->setSpacing(6);
  for (QPushButton* button : {backupWizard_, restoreWizard_, exit_}) {
    button->setMinimumHeight(40);
    layout->addWidget(button);
  }
  layout->addStretch(1);
  return column;
}

QWidget* MainWindow::buildStatusPanel() {
  marquee_ = new Marquee(form_, this);
  marquee_->setObjectName(QStringLiteral("marquee"));
  marquee_->setFixedHeight(kStatusHeight);
  return marquee_;
}

void MainWindow::showTab(int tab) {
  const bool introduction = tab < kBackupTab || tab > kHelpTab;
  activeTab_ = introduction ? kIntroductionPage : tab;
  tabBar_->setNoSelection(introduction);
  if (!introduction) tabBar_->setCurrentIndex(tab);
  pages_->setCurrentIndex(activeTab_ + 1);
  if (marquee_) marquee_->PageControl1Change(activeTab_);
}

}  // namespace corvasta
