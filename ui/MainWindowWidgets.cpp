#include "ui/MainWindowWidgets.h"

#include <QLabel>
#include <QPushButton>

namespace corvasta {

QPushButton* pictureButton(const QString& caption, Glyph glyph, const QString& objectName,
                           QWidget* parent) {
  QPushButton* button = textButton(caption, objectName, parent);
  button->setIcon(glyphIcon(glyph, 20));
  button->setIconSize(QSize(20, 20));
  return button;
}

QPushButton* textButton(const QString& caption, const QString& objectName, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  return button;
}

QLabel* pageText(const QString& text, const QString& objectName, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(objectName);
  label->setWordWrap(true);
  return label;
}

void setHint(QWidget* control, const QString& hint) {
  control->setToolTip(hint);
  control->setStatusTip(hint);
}

void markNotAvailable(QWidget* control, const QString& ownHint) {
  control->setEnabled(false);
  // Disabled widgets still show their tool tips.
  const QString reason = QString::fromLatin1(kNotAvailableHint);
  setHint(control, ownHint.isEmpty() ? reason : ownHint + QStringLiteral("\n") + reason);
}

}  // namespace corvasta
