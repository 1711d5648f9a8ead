#pragma once
// Windows path syntax: "C:\dir\file.ext", with "/" accepted as a separator.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WinPath {
  char drive = 0;                       // upper-case letter
  std::vector<std::string> components;  // ANSI, "." and ".." resolved
  bool device = false;                  // "\\.\X:" device path (SCSI layer only)

  std::string str() const;  // "C:\dir\file" ("C:\" for the root)
  std::string parentStr() const;
  std::string name() const { return components.empty() ? "" : components.back(); }
};

// Parses a full Windows path. Trailing dots and blanks of each component are
// dropped as Windows drops them. Throws OsError InvalidName for a relative or
// malformed path, or a name with characters Windows forbids ("<>:"|?*" and
// control characters); PathNotFound for a UNC path.
WinPath parseWinPath(std::string_view path);

// True for the names DOS reserves for devices (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), with or without an extension, in any case.
bool isDosDeviceName(std::string_view name);

}  // namespace platform
