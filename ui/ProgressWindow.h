#pragma once
// The progress window ("Please Wait"): the view of TForm4. It shows the
// ProgressView the logic keeps and reports presses of its two buttons; what
// they do is the logic's (TForm1::CancelClick and MinimizeClick, reached
// through the Ui's progress handlers).
//
// The window stays on top, has no close button and, while shown, keeps the
// other windows from taking input, so an operation cannot be started again
// from the main window while it runs; its own buttons stay usable whenever
// the logic processes messages.

#include <QWidget>

#include "app/core/Ui.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace corvasta {

class ProgressWindowAnimation;

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Shows, updates or hides the window as `view` says.
  void showView(const ProgressView& view);

  QString statusText() const;
  QString percentText() const;
  const QProgressBar& overallGauge() const { return *overall_; }
  const QProgressBar& itemGauge() const { return *item_; }
  const ProgressWindowAnimation& animation() const { return *animation_; }
  QPushButton& cancelButton() { return *cancel_; }
  QPushButton& minimizeButton() { return *minimize_; }

 signals:
  void cancelClicked();
  void minimizeClicked();

 protected:
  // The operation closes the window, not the user (Alt+F4 does nothing).
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* status_;
  QProgressBar* overall_;
  QProgressBar* item_;
  QLabel* percent_;
  ProgressWindowAnimation* animation_;
  QPushButton* cancel_;
  QPushButton* minimize_;
};

}  // namespace corvasta
