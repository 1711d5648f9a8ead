#include "tests/ui_support/screenshot.h"

#include <QPixmap>
#include <QWidget>
#include <cstdlib>
#include <stdexcept>

namespace ui_test {

std::filesystem::path saveScreenshot(QWidget& widget, const std::string& name) {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  const std::filesystem::path folder = std::filesystem::path(build ? build : ".") / "screenshots";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / (name + ".png");
  if (!widget.grab().save(QString::fromStdString(file.string()), "PNG"))
    throw std::runtime_error("cannot write the screenshot " + file.string());
  return file;
}

}  // namespace ui_test
