#include "ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/ProgressWindowAnimation.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr const char* kCaption = "Please Wait";
constexpr const char* kInitialStatus = "Waiting";

QProgressBar* makeGauge(QWidget* parent) {
  auto* gauge = new QProgressBar(parent);
  gauge->setRange(0, 100);
  gauge->setValue(0);
  gauge->setTextVisible(false);
  gauge->setFixedHeight(16);
  return gauge;
}

void setGauge(QProgressBar& gauge, int value, int maximum) {
  // A maximum below 1 would turn the bar into a busy indicator.
  maximum = std::max(1, maximum);
  if (gauge.maximum() != maximum) gauge.setRange(0, maximum);
  gauge.setValue(std::clamp(value, 0, maximum));
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName("Form4");
  setWindowTitle(kCaption);
  setWindowModality(Qt::ApplicationModal);

  status_ = new QLabel(kInitialStatus, this);
  status_->setObjectName("status");
  status_->setTextFormat(Qt::PlainText);
  // Long paths are cut at the window's edge instead of widening it.
  status_->setFixedWidth(340);
  animation_ = new ProgressWindowAnimation(this);
  overall_ = makeGauge(this);
  overall_->setObjectName("overallGauge");
  item_ = makeGauge(this);
  item_->setObjectName("itemGauge");
  percent_ = new QLabel(this);
  percent_->setObjectName("percent");
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cancel_ = new QPushButton("&Cancel", this);
  minimize_ = new QPushButton("Minimize", this);
  cancel_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addWidget(minimize_);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(animation_);
  layout->addWidget(status_);
  layout->addWidget(overall_);
  layout->addWidget(item_);
  layout->addWidget(percent_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::cancelClicked);
  connect(minimize_, &QPushButton::clicked, this, &ProgressWindow::minimizeClicked);
}

QString ProgressWindow::statusText() const {
  return status_->text();
}

QString ProgressWindow::percentText() const {
  return percent_->text();
}

void ProgressWindow::showView(const ProgressView& view) {
  setWindowTitle(view.caption.empty() ? QString(kCaption) : fromAnsi(view.caption));
  status_->setText(fromAnsi(view.status));
  percent_->setText(fromAnsi(view.percent));
  setGauge(*overall_, view.overall, view.overallMax);
  setGauge(*item_, view.item, view.itemMax);
  if (view.animating)
    animation_->start();
  else
    animation_->stop();
  if (view.visible && !isVisible()) {
    show();
    raise();
  } else if (!view.visible && isVisible()) {
    hide();
  }
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The logic hides the window; a close can only come from the user.
  event->ignore();
}

}  // namespace corvasta
