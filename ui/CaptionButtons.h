#pragma once
// The caption-bar buttons of the program's frameless windows: flat Help,
// Minimize and Exit buttons with drawn symbols and hints. Releasing the
// right mouse button over Minimize is a signal of its own.

#include <QString>
#include <QWidget>

class QToolButton;

namespace corvasta {

class CaptionButtons : public QWidget {
  Q_OBJECT
 public:
  struct Hints {
    QString help = QStringLiteral("Help");
    QString minimize = QStringLiteral("Minimize");
    QString exit = QStringLiteral("Exit");
  };

  explicit CaptionButtons(const Hints& hints, QWidget* parent = nullptr);

 signals:
  void helpClicked();
  void minimizeClicked();
  void minimizeRightClicked();
  void exitClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* captionButton(const char* name, const QString& hint, int glyph);

  QToolButton* minimize_ = nullptr;
};

}  // namespace corvasta
