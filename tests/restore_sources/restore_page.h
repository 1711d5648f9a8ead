#pragma once
// The Crash Fixer page on a test machine: the program started, its source
// selected as a click selects it, and what the restore run was started with.

#include <string>

#include "tests/support/program_rig.h"

namespace restore_test {

using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

// The program of `machine` after its window start.
struct RestorePage {
  explicit RestorePage(const MachineBuilder& machine) : m(machine) { m.start(); }

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
  // The restore run was started on `userPath`.
  bool restoredFrom(const std::string& userPath) {
    return m.form->core.ActivityLog.find(">>> Restore of " + userPath + " started at") !=
           std::string::npos;
  }
  bool anyRestore() {
    return m.form->core.ActivityLog.find(">>> Restore of ") != std::string::npos;
  }
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
