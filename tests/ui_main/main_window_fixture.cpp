#include "tests/ui_main/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/journal.h"
#include "tests/ui_support/qt_test_app.h"

namespace ui_main_test {

MainWindowMachine::MainWindowMachine(platform::WindowsVersion version, int windowsMode,
                                     Front front) {
  ui_test::qtTestApp();
  platform::sample::createSampleMachine(dir / "machine", version);
  machine = platform::Machine::open(dir / "machine");
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  if (front == Front::Qt) qtUi = std::make_unique<corvasta::QtUi>(machine.get());
  corvasta::Ui& frontEnd = qtUi ? static_cast<corvasta::Ui&>(*qtUi) : ui;
  form = std::make_unique<corvasta::TForm1>(
      corvasta::Environment{*machine, *files, *registry, frontEnd}, windowsMode);
  platform::SystemTime today;
  today.year = 2004;
  today.month = 7;
  today.day = 30;
  today.hour = 12;
  form->core.now = [today] { return today; };
}

MainWindowMachine::~MainWindowMachine() {
  window.reset();
  EXPECT_TRUE(ui.finished()) << "prompts expected but not shown";
}

corvasta::MainWindow& MainWindowMachine::openWindow() {
  EXPECT_TRUE(form->RunEntrySequence({}));
  window = std::make_unique<corvasta::MainWindow>(*form);
  if (qtUi) qtUi->setMainWindow(window.get());
  return *window;
}

corvasta::MainWindow& MainWindowMachine::showWindow() {
  if (!window) openWindow();
  window->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  EXPECT_TRUE(QTest::qWaitFor([this] { return window->windowStarted(); }));
  return *window;
}

std::filesystem::path MainWindowMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool MainWindowMachine::exists(const std::string& winPath) const {
  return std::filesystem::exists(host(winPath));
}

void MainWindowMachine::write(const std::string& winPath, const std::string& text) const {
  std::filesystem::create_directories(host(winPath).parent_path());
  testing_support::writeFile(host(winPath), text);
}

std::string MainWindowMachine::setting(const std::string& section, const std::string& key) const {
  return platform::getPrivateProfileString(*machine, section, key, "@", form->core.settingsFile());
}

void MainWindowMachine::setSetting(const std::string& section, const std::string& key,
                                   const std::string& value) {
  platform::writePrivateProfileString(*machine, section, key, value, form->core.settingsFile());
}

std::vector<std::string> MainWindowMachine::startedPrograms() const {
  std::vector<std::string> started;
  for (const platform::JournalEntry& entry : platform::readJournal(*machine))
    if (entry.kind == "start") started.push_back(entry.details);
  return started;
}

}  // namespace ui_main_test
