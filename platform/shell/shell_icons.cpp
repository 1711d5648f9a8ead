#include "platform/shell/shell_icons.h"

#include <array>

#include "platform/core/codepage.h"

namespace platform {

ShellIcon driveIcon(DriveType type) {
  switch (type) {
    case DriveType::Removable:
      return {ShellIconKind::RemovableDrive, ""};
    case DriveType::Remote:
      return {ShellIconKind::RemoteDrive, ""};
    case DriveType::CdRom:
      return {ShellIconKind::CdRomDrive, ""};
    case DriveType::RamDisk:
      return {ShellIconKind::RamDrive, ""};
    default:
      return {ShellIconKind::FixedDrive, ""};
  }
}

ShellIcon folderIcon() {
  return {ShellIconKind::Folder, ""};
}

ShellIcon fileIcon(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kPrograms{"exe", "com", "bat",
                                                             "pif", "cmd", "scr"};
  const size_t dot = name.rfind('.');
  const std::string extension =
      dot == std::string_view::npos ? "" : ansiLower(name.substr(dot + 1));
  for (std::string_view program : kPrograms)
    if (extension == program) return {ShellIconKind::Program, ""};
  return {ShellIconKind::Document, extension};
}

}  // namespace platform
