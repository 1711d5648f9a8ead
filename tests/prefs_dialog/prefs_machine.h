#pragma once
// A started program on a Windows sample with the Preferences dialog activated.

#include "prefs/Unit8.h"
#include "tests/support/program_rig.h"

namespace prefs_dialog_test {

using platform::WindowsVersion;
using testing_support::MachineBuilder;

struct PrefsMachine : testing_support::TestProgram {
  explicit PrefsMachine(const MachineBuilder& builder) : testing_support::TestProgram(builder) {
    start();
    dialog().FormActivate();
  }
  explicit PrefsMachine(WindowsVersion version) : PrefsMachine(MachineBuilder::sample(version)) {}
  corvasta::TForm8& dialog() { return form->preferences; }
  corvasta::PreferenceValues& values() { return form->core.Form8; }
  // A value as crudini reads the settings file ("" when missing).
  std::string crudini(const std::string& section, const std::string& key) const;
};

}  // namespace prefs_dialog_test
