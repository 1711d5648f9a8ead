#include "tests/ui_main/main_window_fixture.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/system/journal.h"
#include "tests/support/form_access.h"
#include "tests/ui_support/qt_test_app.h"

namespace ui_main_test {

FrontEnds::FrontEnds(Front front) {
  ui_test::qtTestApp();
  if (front == Front::Qt) qtUi = std::make_unique<corvasta::QtUi>();
}

corvasta::Ui& FrontEnds::chosen() {
  return qtUi ? static_cast<corvasta::Ui&>(*qtUi) : ui;
}

namespace {

testing_support::MachineBuilder sampleMachine(
    platform::WindowsVersion version, int windowsMode,
    std::function<void(platform::MachineConfig&)> configure) {
  testing_support::MachineBuilder machine = testing_support::MachineBuilder::sample(version);
  machine.today(2004, 7, 30).windowsMode(windowsMode);
  if (configure) machine.configure(std::move(configure));
  return machine;
}

}  // namespace

MainWindowMachine::MainWindowMachine(platform::WindowsVersion version, int windowsMode, Front front,
                                     std::function<void(platform::MachineConfig&)> configure)
    : FrontEnds(front),
      ProgramRig(sampleMachine(version, windowsMode, std::move(configure)), chosen()) {
  if (qtUi) qtUi->setMachine(machine.get());
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

std::vector<std::string> MainWindowMachine::startedPrograms() const {
  std::vector<std::string> started;
  for (const platform::JournalEntry& entry : platform::readJournal(*machine))
    if (entry.kind == "start") started.push_back(entry.details);
  return started;
}

}  // namespace ui_main_test
