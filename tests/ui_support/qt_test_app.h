#pragma once
// The QApplication of a widget test program, created on first use without a
// display: the offscreen platform, with Qt's runtime folder in the build
// folder.

class QApplication;

namespace ui_test {

QApplication& qtTestApp();

}  // namespace ui_test
