#pragma once
// Small building blocks of the main window's pages.

#include <QString>

#include "ui/MainWindowGlyphs.h"

class QLabel;
class QPushButton;
class QWidget;

namespace corvasta {

// The hint of a control whose operation this version does not have yet.
inline constexpr const char* kNotAvailableHint = "This function is not available yet.";

// A push button with a glyph before its caption (the "picture buttons").
QPushButton* pictureButton(const QString& caption, Glyph glyph, const QString& objectName,
                           QWidget* parent);
// A push button with its caption only.
QPushButton* textButton(const QString& caption, const QString& objectName, QWidget* parent);
// A label that wraps its text to the page's width.
QLabel* pageText(const QString& text, const QString& objectName, QWidget* parent);
// Sets the control's hint (tool tip and the status tip the About screen shows).
void setHint(QWidget* control, const QString& hint);
// Shows the control as laid out but disabled, with a hint that says why
// after the control's own hint, if it has one.
void markNotAvailable(QWidget* control, const QString& ownHint = QString());

}  // namespace corvasta
