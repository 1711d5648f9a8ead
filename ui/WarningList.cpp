#include "ui/WarningList.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "app/core/Ui.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kWindowWidth = 456;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 16;
// When no screen is known (a window not yet shown on one).
constexpr int kFallbackScreenHeight = 768;

QPushButton* makeButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setFixedSize(kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

WarningList::WarningList(QWidget* parent) : QDialog(parent) {
  setObjectName("Form6");
  setWindowTitle("WARNING");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  list_ = new QListWidget(this);
  list_->setFrameShape(QFrame::NoFrame);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setUniformItemSizes(true);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  ok_ = makeButton("&OK", this);
  yes_ = makeButton("&Yes", this);
  no_ = makeButton("&No", this);
  connect(ok_, &QPushButton::clicked, this, [this] {
    result_ = IDOK;
    accept();
  });
  connect(yes_, &QPushButton::clicked, this, [this] {
    result_ = IDYES;
    accept();
  });
  connect(no_, &QPushButton::clicked, this, [this] {
    result_ = IDNO;
    reject();
  });
}

void WarningList::setModel(const TForm6& model) {
  setWindowTitle(fromAnsi(model.caption));
  list_->clear();
  for (const std::string& line : model.lines) list_->addItem(fromAnsi(line));
  question_ = model.tag != 0;
  ok_->setVisible(!question_);
  yes_->setVisible(question_);
  no_->setVisible(question_);
  (question_ ? yes_ : ok_)->setDefault(true);
  (question_ ? ok_ : yes_)->setDefault(false);
  arrange();
}

void WarningList::arrange() {
  const int lineHeight =
      list_->count() > 0 ? list_->sizeHintForRow(0) : QFontMetrics(list_->font()).height();
  const QScreen* shown = screen();
  const int screenHeight = shown ? shown->geometry().height() : kFallbackScreenHeight;
  layout_ = warningListLayout(list_->count(), lineHeight, screenHeight);

  // A line wider than the window brings a horizontal scroll bar; the list
  // grows by its height so that no line hides behind it.
  int widest = 0;
  for (int row = 0; row < list_->count(); ++row)
    widest = std::max(widest, list_->sizeHintForIndex(list_->model()->index(row, 0)).width());
  const int verticalBar = layout_.scrolls ? list_->verticalScrollBar()->sizeHint().width() : 0;
  const int horizontalBar =
      widest > kWindowWidth - verticalBar ? list_->horizontalScrollBar()->sizeHint().height() : 0;

  list_->setGeometry(0, 0, kWindowWidth, layout_.listHeight + horizontalBar);
  const int buttonTop = layout_.buttonTop + horizontalBar;
  if (question_) {
    const int left = (kWindowWidth - 2 * kButtonWidth - kButtonGap) / 2;
    yes_->move(left, buttonTop);
    no_->move(left + kButtonWidth + kButtonGap, buttonTop);
  } else {
    ok_->move((kWindowWidth - kButtonWidth) / 2, buttonTop);
  }
  setFixedSize(kWindowWidth, layout_.windowHeight + horizontalBar);
}

int WarningList::run() {
  result_ = question_ ? IDNO : IDOK;
  exec();
  return result_;
}

}  // namespace corvasta
