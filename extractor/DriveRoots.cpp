// The shell's names of the machine's drives.

#include "extractor/DriveRoots.h"

#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::string driveDisplayName(platform::FileSystem& files, const std::string& root) {
  const std::string drive = root.substr(0, 2);
  const platform::DriveType type = files.getDriveType(root);
  const char letter = drive.empty() ? 0 : drive[0];
  // The shell never reads a diskette to name its drive.
  if (type == platform::DriveType::Removable && (letter == 'A' || letter == 'B'))
    return "3\xBD Floppy (" + drive + ")";
  std::string label;
  try {
    label = files.getVolumeInformation(root).label;
  } catch (const corvasta::Error&) {
    // No medium in the drive: the drive's kind names it.
  }
  if (label.empty()) {
    if (type == platform::DriveType::CdRom)
      label = "Compact Disc";
    else if (type == platform::DriveType::Removable)
      label = "Removable Disk";
    else
      label = "Local Disk";
  }
  return label + " (" + drive + ")";
}

std::vector<std::string> driveRootTexts(platform::FileSystem& files) {
  std::vector<std::string> texts;
  for (const std::string& root : files.getLogicalDriveStrings())
    texts.push_back(driveDisplayName(files, root));
  return texts;
}

}  // namespace corvasta
