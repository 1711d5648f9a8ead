#pragma once
// The Crash Fixer page on a test machine: the program started, its source
// selected as a click selects it, and what the restore run was started with.

#include <string>

#include "platform/core/errors.h"
#include "tests/support/program_rig.h"

namespace restore_test {

using platform::WindowsVersion;
using testing_support::MachineBuilder;

// The scripted front end, until the restore run starts: these tests look at
// what the page starts the run with, so once the run's first log line is
// written every further question gets its default answer (first button, no
// input, first menu item, Yes) instead of failing the test.
class DispatchUi : public corvasta::ScriptedUi {
 public:
  const std::unique_ptr<corvasta::TForm1>* form = nullptr;
  bool runStarted() const {
    return form && *form && (*form)->core.ActivityLog.find(">>> Restore of ") != std::string::npos;
  }
  int messageBox(const std::string& text, const std::string& caption, corvasta::Buttons buttons,
                 corvasta::Icon icon, size_t defaultButton = 0) override {
    if (!runStarted()) return ScriptedUi::messageBox(text, caption, buttons, icon, defaultButton);
    transcript.push_back("Run: " + text);
    return corvasta::resultsOf(buttons).front();
  }
  std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial, bool masked) override {
    if (!runStarted()) return ScriptedUi::inputBox(caption, prompt, initial, masked);
    return std::nullopt;
  }
  std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override {
    if (!runStarted()) return ScriptedUi::chooseFile(title, filter, initialFolder);
    return std::nullopt;
  }
  int showWarningList(const std::vector<std::string>& lines, bool yesNo) override {
    if (!runStarted() || !yesNo) return ScriptedUi::showWarningList(lines, yesNo);
    lastWarningList = lines;
    return corvasta::IDYES;
  }
};

using TestProgram = testing_support::ProgramWith<DispatchUi>;

// The program of `machine` after its window start.
struct RestorePage {
  explicit RestorePage(const MachineBuilder& machine) : m(machine) {
    m.ui.form = &m.form;
    m.start();
  }

  corvasta::TForm1& form() { return *m.form; }
  corvasta::RestoreSources& sources() { return m.form->restore.sources; }
  corvasta::SourceKind kind() { return m.form->restore.state.sourceKind; }
  const corvasta::SystemLocations& loc() { return m.form->core.loc; }
  // A click on list item `index`.
  void choose(int index) {
    m.form->core.restoreType = index;
    m.form->ComboBox1Change();
  }
  std::string selectedText() {
    return sources().itemText(static_cast<size_t>(m.form->core.restoreType));
  }
  // What the run logged: the buffer, and the activity log file a run that
  // ended in its error handler has written it to.
  std::string logged() {
    const std::string results = m.programDir() + "results.txt";
    return m.form->core.ActivityLog + (m.exists(results) ? m.read(results) : std::string());
  }
  // The restore run was started on `userPath`.
  bool restoredFrom(const std::string& userPath) {
    return logged().find(">>> Restore of " + userPath + " started at") != std::string::npos;
  }
  // Some line the front end was shown contains `text`.
  bool told(const std::string& text) {
    for (const std::string& line : m.ui.transcript)
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
  // The Restore button. The run a placeholder set starts may end in its
  // error handler, which passes its error on: what the page started the run
  // with is what these tests look at.
  void pressRestore() {
    try {
      m.form->RestoreClick();
    } catch (const corvasta::Error&) {
    }
  }
  bool anyRestore() { return logged().find(">>> Restore of ") != std::string::npos; }
  // The file's modification time, `seconds` after a fixed moment.
  void setWritten(const std::string& path, int seconds) {
    m.files->setFileTime(
        path, std::nullopt, std::nullopt,
        platform::FileTime{130000000000000000ull +
                           static_cast<uint64_t>(seconds) * platform::kFileTimeTicksPerSecond});
  }

  TestProgram m;
};

}  // namespace restore_test
