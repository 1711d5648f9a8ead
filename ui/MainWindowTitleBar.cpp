#include "ui/MainWindowTitleBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include "ui/CaptionButtons.h"
#include "ui/MainWindowGlyphs.h"

namespace corvasta {
namespace {

constexpr int kLogoWidth = 120;
constexpr int kLogoHeight = 20;

}  // namespace

MainWindowTitleBar::MainWindowTitleBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("titleBar"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(176, 24, 24));
  colours.setColor(QPalette::WindowText, Qt::white);
  setPalette(colours);

  logo_ = new QLabel(this);
  logo_->setObjectName(QStringLiteral("logo"));
  logo_->setPixmap(logoPixmap(kLogoWidth, kLogoHeight));
  logo_->installEventFilter(this);
  auto* trademark = new QLabel(QStringLiteral("TM"), this);
  QFont small = trademark->font();
  small.setPointSizeF(5.5);
  trademark->setFont(small);
  trademark->setAlignment(Qt::AlignTop);

  CaptionButtons::Hints hints;
  hints.minimize = QStringLiteral("Minimize Corvasta");
  hints.exit = QStringLiteral("Exit Corvasta");
  auto* buttons = new CaptionButtons(hints, this);
  connect(buttons, &CaptionButtons::helpClicked, this, &MainWindowTitleBar::helpClicked);
  connect(buttons, &CaptionButtons::minimizeClicked, this, &MainWindowTitleBar::minimizeClicked);
  connect(buttons, &CaptionButtons::minimizeRightClicked, this,
          &MainWindowTitleBar::minimizeRightClicked);
  connect(buttons, &CaptionButtons::exitClicked, this, &MainWindowTitleBar::exitClicked);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 1, 2, 1);
  row->setSpacing(1);
  row->addWidget(logo_);
  row->addWidget(trademark);
  row->addStretch(1);
  row->addWidget(buttons);
}

void MainWindowTitleBar::setLogoFile(const QString& hostPath) {
  const QPixmap picture(hostPath);
  if (!picture.isNull()) logo_->setPixmap(picture.scaledToHeight(kLogoHeight));
}

void MainWindowTitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  // The window system moves the window where it can; elsewhere (offscreen,
  // some X servers) the bar follows the mouse itself.
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void MainWindowTitleBar::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void MainWindowTitleBar::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

bool MainWindowTitleBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == logo_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
       event->type() == QEvent::MouseButtonRelease)) {
    // The logo drags like the bar around it.
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) mousePressEvent(mouse);
    if (event->type() == QEvent::MouseMove) mouseMoveEvent(mouse);
    if (event->type() == QEvent::MouseButtonRelease) mouseReleaseEvent(mouse);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvasta
