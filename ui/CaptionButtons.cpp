#include "ui/CaptionButtons.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolButton>

#include "ui/MainWindowGlyphs.h"

namespace corvasta {
namespace {

constexpr int kButtonSize = 20;
constexpr int kGlyphSize = 14;

}  // namespace

CaptionButtons::CaptionButtons(const Hints& hints, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("captionButtons"));
  auto* help = captionButton("helpButton", hints.help, static_cast<int>(Glyph::CaptionHelp));
  minimize_ =
      captionButton("minimizeButton", hints.minimize, static_cast<int>(Glyph::CaptionMinimize));
  auto* exit = captionButton("exitButton", hints.exit, static_cast<int>(Glyph::CaptionExit));
  minimize_->installEventFilter(this);
  connect(help, &QToolButton::clicked, this, &CaptionButtons::helpClicked);
  connect(minimize_, &QToolButton::clicked, this, &CaptionButtons::minimizeClicked);
  connect(exit, &QToolButton::clicked, this, &CaptionButtons::exitClicked);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(help);
  row->addWidget(minimize_);
  row->addWidget(exit);
}

QToolButton* CaptionButtons::captionButton(const char* name, const QString& hint, int glyph) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setIcon(glyphIcon(static_cast<Glyph>(glyph), kGlyphSize));
  button->setFixedSize(kButtonSize, kButtonSize);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

bool CaptionButtons::eventFilter(QObject* watched, QEvent* event) {
  if (watched == minimize_ && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton &&
        minimize_->rect().contains(mouse->position().toPoint()))
      emit minimizeRightClicked();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvasta
