// The shell's names of the machine's drives.

#include "platform/files/drive_display_names.h"

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"

namespace platform {
namespace {

// The name a drive without a volume label gets from the shell of `version`.
std::string unlabelledName(WindowsVersion version, DriveType type) {
  const bool newShell = version == WindowsVersion::Win2000 || version == WindowsVersion::WinXp;
  if (type == DriveType::Removable) return "Removable Disk";
  if (!newShell) return "";
  if (type == DriveType::CdRom)
    return version == WindowsVersion::WinXp ? "CD Drive" : "Compact Disc";
  return "Local Disk";
}

}  // namespace

std::string driveDisplayName(FileSystem& files, const std::string& root) {
  const std::string drive = root.substr(0, 2);
  const DriveType type = files.getDriveType(root);
  const char letter = drive.empty() ? 0 : drive[0];
  // The shell never reads a diskette to name its drive.
  if (type == DriveType::Removable && (letter == 'A' || letter == 'B'))
    return "3\xBD Floppy (" + drive + ")";
  std::string label;
  try {
    label = files.getVolumeInformation(root).label;
  } catch (const corvasta::Error&) {
    // No medium in the drive: the drive's kind names it.
  }
  if (label.empty()) label = unlabelledName(files.machine().version(), type);
  return (label.empty() ? "" : label + " ") + "(" + drive + ")";
}

std::vector<std::string> driveRootTexts(FileSystem& files) {
  std::vector<std::string> texts;
  for (const std::string& root : files.getLogicalDriveStrings())
    texts.push_back(driveDisplayName(files, root));
  return texts;
}

}  // namespace platform
