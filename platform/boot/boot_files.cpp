#include "platform/boot/boot_files.h"

#include "platform/core/errors.h"
#include "platform/host/host_files.h"

namespace platform::boot {
namespace {

void clearAttributes(FileSystem& files, const std::string& path) {
  if (files.getFileAttributes(path) & (kAttributeReadOnly | kAttributeHidden | kAttributeSystem))
    files.setFileAttributes(path, kAttributeNormal);
}

// Windows holds the file open while it runs, not yet at its start: the
// host entry is removed directly, with its records.
void removeHeldFile(FileSystem& files, const std::string& path) {
  HostLocation location = files.machine().resolve(path);
  if (host::removeFile(location.host)) throw OsError(WinError::AccessDenied, path);
  files.attributes().removed(*location.drive, location.host);
  files.machine().forgetShortNameOf(location);
}

void moveHeldFile(FileSystem& files, const std::string& source, const std::string& destination) {
  HostLocation from = files.machine().resolve(source);
  HostLocation to = files.machine().resolve(destination);
  if (from.drive != to.drive) throw OsError(WinError::NotSameDevice, destination);
  if (host::renameEntry(from.host, to.host)) throw OsError(WinError::AccessDenied, destination);
  files.attributes().moved(*from.drive, from.host, to.host);
  files.machine().forgetShortNameOf(from);
  files.machine().shortNameOf(files.machine().resolve(destination));
}

}  // namespace

void deleteAtStart(FileSystem& files, const std::string& path) {
  if (files.directoryExists(path)) {
    files.removeDirectory(path);
    return;
  }
  clearAttributes(files, path);
  try {
    files.deleteFile(path);
  } catch (const OsError& e) {
    if (e.code() != WinError::SharingViolation) throw;
    removeHeldFile(files, path);
  }
}

void moveAtStart(FileSystem& files, const std::string& source, const std::string& destination) {
  // A file in the way is replaced by the rename itself, so that a start
  // cut off at any moment leaves the old file or the new one under its name,
  // never neither.
  uint32_t flags = kMoveFileCopyAllowed;
  if (files.directoryExists(destination)) {
    files.removeDirectory(destination);
  } else if (files.fileExists(destination)) {
    clearAttributes(files, destination);
    flags |= kMoveFileReplaceExisting;
  }
  try {
    files.moveFileEx(source, destination, flags);
  } catch (const OsError& e) {
    if (e.code() != WinError::SharingViolation) throw;
    moveHeldFile(files, source, destination);
  }
}

void copyAtStart(FileSystem& files, const std::string& source, const std::string& destination) {
  if (files.fileExists(destination)) deleteAtStart(files, destination);
  files.copyFile(source, destination, true);
}

}  // namespace platform::boot
