// FileSystem: the drive and volume calls (GetDiskFreeSpaceEx,
// GetVolumeInformation, SetVolumeLabel, GetDriveType, GetLogicalDriveStrings).

#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace platform {

Drive& FileSystem::driveOf(std::string_view rootOrPath) {
  if (rootOrPath.size() < 2 || rootOrPath[1] != ':')
    throw OsError(WinError::InvalidName, std::string(rootOrPath));
  Drive* drive = machine_.drive(rootOrPath[0]);
  if (!drive) throw OsError(WinError::PathNotFound, std::string(rootOrPath));
  return *drive;
}

DiskFreeSpace FileSystem::getDiskFreeSpaceEx(std::string_view path) {
  SpaceInfo space = driveOf(path).space();
  return DiskFreeSpace{space.freeBytes, space.totalBytes, space.freeBytes};
}

VolumeInformation FileSystem::getVolumeInformation(std::string_view root) {
  VolumeInfo volume = driveOf(root).volume();
  VolumeInformation info;
  info.label = volume.label;
  info.serial = volume.serial;
  info.fileSystem = volume.fileSystem;
  return info;
}

void FileSystem::setVolumeLabel(std::string_view root, const std::string& label) {
  Drive& drive = driveOf(root);
  if (drive.type() == DriveType::CdRom) throw OsError(WinError::AccessDenied, std::string(root));
  drive.setLabel(label);
}

DriveType FileSystem::getDriveType(std::string_view root) {
  return machine_.driveType(root);
}

std::vector<std::string> FileSystem::getLogicalDriveStrings() {
  return machine_.driveRoots();
}

}  // namespace platform
