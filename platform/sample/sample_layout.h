#pragma once
// Where things are on a sample machine of one Windows version and what its
// installation is called: shared by the builders of the tree and of
// machine.ini.

#include <string>
#include <vector>

#include "platform/core/windows_version.h"
#include "platform/sample/sample_machine.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

struct SampleLayout {
  WindowsVersion version = WindowsVersion::WinMe;
  uint32_t seed = 0;
  bool nt = false;
  bool profiles = false;           // Windows 9x user profiles turned on
  std::vector<std::string> users;  // logged-on user first
  std::string computerName;

  std::string windowsFolder;  // relative to C:\ ("WINDOWS", "WINNT")
  std::string systemFolder;   // "WINDOWS\SYSTEM", "WINNT\system32"
  std::string programFolder;  // "Program Files\Corvasta"

  std::string shortModeName;   // "95", "98", "ME", "NT", "2k", "XP"
  std::string discLabel;       // the Windows CD's volume label: "WIN98 SE", "WXPFPP_EN" ...
  std::string productName;     // "Microsoft Windows XP Professional" ...
  std::string versionNumber;   // "4.90.3000", "5.1.2600" ...
  SampleTime releaseTime = 0;  // date of Windows' own files
  SampleTime installTime = 0;  // when Setup ran
  SampleTime useTime = 0;      // the user's own files, a few weeks later

  // The folder holding a user's shell folders (Desktop, Favorites ...),
  // relative to C:\: the Windows folder itself on Windows 9x without
  // profiles.
  std::string profileFolder(const std::string& user) const;
  // The all-users profile folder ("WINDOWS\All Users", "Documents and
  // Settings\All Users").
  std::string allUsersFolder() const;
  // Seed for the content of one file.
  uint64_t seedFor(std::string_view path) const;
};

// Throws corvasta::Error for options the version cannot have.
SampleLayout makeSampleLayout(WindowsVersion version, const SampleOptions& options);

}  // namespace platform::sample
