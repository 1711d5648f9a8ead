#pragma once
// SHGetFileInfo's small icon, as a kind: which picture the shell shows for a
// drive (by its type), a folder, a program or a document (by its extension).
// The views draw the pictures; the logic only says which one.

#include <string>
#include <string_view>

#include "platform/core/machine_config.h"

namespace platform {

enum class ShellIconKind {
  RemovableDrive,
  FixedDrive,
  RemoteDrive,
  CdRomDrive,
  RamDrive,
  Folder,
  Program,
  Document,
};

struct ShellIcon {
  ShellIconKind kind = ShellIconKind::Document;
  std::string extension;  // documents: the extension in lower case, without the dot
  bool operator==(const ShellIcon&) const = default;
};

ShellIcon driveIcon(DriveType type);
ShellIcon folderIcon();
// A file by its name: a program (.exe, .com, .bat, .pif, .cmd, .scr) or a
// document of its extension.
ShellIcon fileIcon(std::string_view name);

}  // namespace platform
