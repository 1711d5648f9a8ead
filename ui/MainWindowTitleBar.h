#pragma once
// The main window's own title bar: a red panel with the logo, a small "TM"
// and the caption-bar buttons (CaptionButtons). Pressing the mouse on the
// panel or the logo drags the window, which has no frame of its own.

#include <QWidget>

class QLabel;

namespace corvasta {

class MainWindowTitleBar : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindowTitleBar(QWidget* parent = nullptr);
  // The logo: the drawn one, or a picture file (a host path) when it loads.
  void setLogoFile(const QString& hostPath);

 signals:
  void helpClicked();
  void minimizeClicked();
  // The right mouse button released over Minimize.
  void minimizeRightClicked();
  void exitClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* logo_;
  QPoint dragOffset_;
  bool dragging_ = false;
};

}  // namespace corvasta
