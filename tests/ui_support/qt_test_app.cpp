#include "tests/ui_support/qt_test_app.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>

namespace ui_test {

QApplication& qtTestApp() {
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (const char* build = std::getenv("CORVASTA_BUILD_DIR")) {
      const std::filesystem::path runtime = std::filesystem::path(build) / "xdg-runtime";
      std::filesystem::create_directories(runtime);
      std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::replace);
      qputenv("XDG_RUNTIME_DIR", runtime.string().c_str());
    }
    static int argc = 1;
    static char name[] = "corvasta-ui-test";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace ui_test
