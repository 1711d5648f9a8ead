#pragma once
// The progress window's file-copy animation: a sheet of paper flies from one
// folder to the other while an operation runs.

#include <QTimer>
#include <QWidget>

namespace corvasta {

class ProgressWindowAnimation : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindowAnimation(QWidget* parent = nullptr);

  void start();
  void stop();
  bool running() const { return timer_.isActive(); }
  int frame() const { return frame_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void advance();

  QTimer timer_;
  int frame_ = 0;
};

}  // namespace corvasta
