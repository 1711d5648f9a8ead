#pragma once
// Screenshots of widgets for review: PNG files in the build folder's
// "screenshots" folder ($CORVASTA_BUILD_DIR/screenshots, else the current
// folder's).

#include <filesystem>
#include <string>

class QWidget;

namespace ui_test {

// Grabs `widget` as it is drawn now into `name`.png; returns the file.
std::filesystem::path saveScreenshot(QWidget& widget, const std::string& name);

}  // namespace ui_test
