#include "platform/boot/machine_links.h"

#include "platform/core/codepage.h"
#include "platform/core/win_path.h"
#include "platform/files/whole_file_write.h"
#include "platform/shell/shell_link_read.h"
#include "platform/shell/shell_link_write.h"

namespace platform::boot {

shell::ShellLink readLinkFile(FileSystem& files, const std::string& path) {
  return shell::readShellLink(readWholeFile(files, path));
}

void describeLinkTarget(FileSystem& files, shell::ShellLink& link) {
  std::string target = utf8ToAnsi(link.target);
  try {
    WinPath path = parseWinPath(target);
    std::string root = std::string(1, path.drive) + ":\\";
    VolumeInformation volume = files.getVolumeInformation(root);
    link.volume.serialNumber = volume.serial;
    link.volume.label = ansiToUtf8(volume.label);
    link.volume.driveType = static_cast<shell::DriveType>(files.getDriveType(root));
    if (!files.exists(target)) return;
    FileInfo info = files.getFileAttributesEx(target);
    link.fileAttributes = info.attributes;
    link.fileSize = static_cast<uint32_t>(info.size);
    link.creationTime = info.times.creation.value;
    link.accessTime = info.times.lastAccess.value;
    link.writeTime = info.times.lastWrite.value;
    link.targetShortPath = ansiToUtf8(files.machine().shortPath(target));
  } catch (const OsError&) {
    // A UNC target or a drive that is not there: the path is all there is.
  }
}

void writeLinkFile(FileSystem& files, const std::string& path, shell::ShellLink link) {
  describeLinkTarget(files, link);
  std::string bytes = shell::writeShellLink(link);
  std::string temporary = path + ".$$$";
  try {
    {
      FileHandle handle =
          files.createFile(temporary, kGenericWrite, 0, CreationDisposition::CreateAlways);
      handle.write(bytes.data(), bytes.size());
      handle.close();
    }
    if (files.fileExists(path)) files.deleteFile(path);
    files.moveFile(temporary, path);
  } catch (const OsError&) {
    if (files.fileExists(temporary)) files.deleteFile(temporary);
    throw;
  }
}

}  // namespace platform::boot
