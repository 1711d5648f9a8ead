#pragma once
// A started program on a sample machine of one Windows version, with its
// Preferences dialog's pages at hand.

#include <string>
#include <vector>

#include "prefs/Unit8.h"
#include "tests/support/program_rig.h"

namespace prefs_pages_test {

struct SampleProgram {
  explicit SampleProgram(platform::WindowsVersion version)
      : m(testing_support::MachineBuilder::sample(version)) {
    m.start();
  }
  testing_support::TestProgram m;
  corvasta::TForm1& form = *m.form;
  corvasta::Core& core = form.core;
  corvasta::BackupManagerPage& page = form.preferences.backupManager;
  corvasta::SystemBackupsPage& systemPage = form.preferences.systemBackups;
  corvasta::AutomationPage& automation = form.preferences.automation;
  corvasta::DesktopIconsPage& icons = form.preferences.desktopIcons;
  const corvasta::BackupManagerLists& lists = form.backup.manager.lists;

  // A set folder with one file in it.
  void makeSet(const std::string& path) {
    core.createDirectories(path);
    m.write(path + "autoexec.baz", "x");
  }
  void registerSets(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i)
      m.setSetting("Backup Directories", std::to_string(i + 1), paths[i]);
    form.FillList();
    page.RefreshCaptionAndButtons();
  }
};

inline std::string versionName(platform::WindowsVersion version) {
  switch (version) {
    case platform::WindowsVersion::Win95:
      return "Win95";
    case platform::WindowsVersion::WinMe:
      return "WinMe";
    case platform::WindowsVersion::WinXp:
      return "WinXp";
    default:
      return "Other";
  }
}

}  // namespace prefs_pages_test
