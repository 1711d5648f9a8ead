#include "platform/files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/files/held_open_files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr size_t kCopyChunk = 1 << 20;

HostFileId hostFileId(const fs::path& host) {
  struct stat info {};
  if (::stat(host.c_str(), &info) != 0) return {};
  return HostFileId{info.st_dev, info.st_ino};
}

WinError errorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return WinError::FileNotFound;
    case ENOTDIR:
      return WinError::PathNotFound;
    case ENOSPC:
    case EDQUOT:
      return WinError::DiskFull;
    case EEXIST:
      return WinError::FileExists;
    case ENOTEMPTY:
      return WinError::DirNotEmpty;
    case EXDEV:
      return WinError::NotSameDevice;
    case EBUSY:
      return WinError::SharingViolation;
    default:
      return WinError::AccessDenied;
  }
}

bool grantsWrite(uint32_t access) {
  return (accessAsShareBits(access) & kFileShareWrite) != 0;
}

}  // namespace

FileSystem::FileSystem(Machine& machine, FileSystemOptions options)
    : machine_(machine),
      windowsStarted_(options.windowsStarted),
      attributes_(machine, options.attributesInStateFolder ? BackendChoice::StateFolder
                                                           : BackendChoice::Automatic) {}

HostLocation FileSystem::existing(std::string_view path) {
  HostLocation location = machine_.resolve(path);
  if (!location.exists)
    throw OsError(location.parentExists ? WinError::FileNotFound : WinError::PathNotFound,
                  std::string(path));
  return location;
}

void FileSystem::requireWritableMedium(const HostLocation& location) {
  if (location.drive->type() == DriveType::CdRom)
    throw OsError(WinError::AccessDenied, location.path.str());
}

void FileSystem::requireNotHeld(const HostLocation& location, uint32_t access) {
  if (windowsStarted_ && accessAsShareBits(access) && isHeldByWindows(machine_, location))
    throw OsError(WinError::SharingViolation, location.path.str());
  if (ShareTable::process().conflicts(hostFileId(location.host), access,
                                      kFileShareRead | kFileShareWrite | kFileShareDelete))
    throw OsError(WinError::SharingViolation, location.path.str());
}

void FileSystem::giveAlias(std::string_view path) {
  machine_.shortNameOf(machine_.resolve(path));
}

void FileSystem::forgetAlias(const HostLocation& location) {
  location.drive->aliases().forget(location.aliasFolder,
                                   utf8ToAnsi(location.host.filename().string()));
}

void FileSystem::removeFile(const HostLocation& location) {
  if (::unlink(location.host.c_str()) != 0)
    throw OsError(errorFromErrno(errno), location.path.str());
  attributes_.removed(*location.drive, location.host);
  forgetAlias(location);
}

FileHandle FileSystem::createFile(std::string_view path, uint32_t access, uint32_t share,
                                  CreationDisposition disposition, uint32_t attributes) {
  HostLocation location = machine_.resolve(path);
  std::string winPath(path);
  if (location.path.components.empty()) throw OsError(WinError::AccessDenied, winPath);
  if (!location.parentExists) throw OsError(WinError::PathNotFound, winPath);
  if (isDosDeviceName(location.path.name())) throw OsError(WinError::InvalidName, winPath);
  bool exists = location.exists;
  if (exists && fs::is_directory(location.host)) throw OsError(WinError::AccessDenied, winPath);
  switch (disposition) {
    case CreationDisposition::CreateNew:
      if (exists) throw OsError(WinError::FileExists, winPath);
      break;
    case CreationDisposition::OpenExisting:
      if (!exists) throw OsError(WinError::FileNotFound, winPath);
      break;
    case CreationDisposition::TruncateExisting:
      if (!exists) throw OsError(WinError::FileNotFound, winPath);
      if (!grantsWrite(access)) throw OsError(WinError::InvalidParameter, winPath);
      break;
    case CreationDisposition::CreateAlways:
    case CreationDisposition::OpenAlways:
      break;
    default:
      throw OsError(WinError::InvalidParameter, winPath);
  }
  bool truncate = exists && (disposition == CreationDisposition::CreateAlways ||
                             disposition == CreationDisposition::TruncateExisting);
  if (grantsWrite(access) || !exists) requireWritableMedium(location);
  if (exists) {
    uint32_t current = attributes_.query(*location.drive, location.host).attributes;
    if ((current & kAttributeReadOnly) && (grantsWrite(access) || truncate))
      throw OsError(WinError::AccessDenied, winPath);
    // Windows NT refuses to replace a hidden or system file by one without those bits.
    uint32_t guarded = current & (kAttributeHidden | kAttributeSystem);
    if (disposition == CreationDisposition::CreateAlways && isNt(machine_.version()) &&
        (attributes & guarded) != guarded)
      throw OsError(WinError::AccessDenied, winPath);
    if (windowsStarted_ && accessAsShareBits(access) && isHeldByWindows(machine_, location))
      throw OsError(WinError::SharingViolation, winPath);
  }
  int flags = O_CLOEXEC | O_NOFOLLOW | (grantsWrite(access) || truncate ? O_RDWR : O_RDONLY);
  if (!exists) flags |= O_CREAT | O_EXCL;
  int fd = ::open(location.host.c_str(), flags, 0644);
  if (fd < 0) throw OsError(errorFromErrno(errno), winPath);
  FileHandle::Opened opened{fd, access, winPath, location.host, location.drive, &attributes_, 0};
  try {
    opened.token = ShareTable::process().acquire(hostFileId(location.host), access, share, winPath);
  } catch (...) {
    ::close(fd);
    if (!exists) ::unlink(location.host.c_str());
    throw;
  }
  FileHandle handle(std::move(opened));
  if (!exists) {
    attributes_.created(*location.drive, location.host, attributes);
    giveAlias(path);
  } else if (truncate) {
    if (::ftruncate(fd, 0) != 0) throw OsError(errorFromErrno(errno), winPath);
    if (disposition == CreationDisposition::CreateAlways)
      attributes_.set(*location.drive, location.host,
                      (attributes & kSettableAttributes) | kAttributeArchive);
    else
      attributes_.modified(*location.drive, location.host);
  }
  return handle;
}

void FileSystem::copyContent(const HostLocation& source, std::string_view destination,
                             bool failIfExists, bool keepAllTimes) {
  std::string sourcePath = source.path.str();
  FileInfo info = attributes_.query(*source.drive, source.host);
  if (info.isDirectory()) throw OsError(WinError::AccessDenied, sourcePath);
  FileHandle in =
      createFile(sourcePath, kGenericRead, kFileShareRead, CreationDisposition::OpenExisting);
  HostLocation target = machine_.resolve(destination);
  std::string targetPath(destination);
  if (!target.parentExists) throw OsError(WinError::PathNotFound, targetPath);
  if (target.exists && fs::is_directory(target.host))
    throw OsError(WinError::AccessDenied, targetPath);
  if (target.exists && failIfExists) throw OsError(WinError::FileExists, targetPath);
  if (target.exists && hostFileId(target.host) == hostFileId(source.host))
    throw OsError(WinError::SharingViolation, targetPath);
  requireWritableMedium(target);
  uint64_t oldSize = target.exists ? fs::file_size(target.host) : 0;
  // Refused before the destination is touched when it cannot fit.
  target.drive->checkRoomFor(oldSize, info.size, targetPath);
  FileHandle out =
      createFile(destination, kGenericWrite, 0,
                 failIfExists ? CreationDisposition::CreateNew : CreationDisposition::CreateAlways,
                 (info.attributes & kSettableAttributes) | kAttributeArchive);
  try {
    std::vector<char> buffer(kCopyChunk);
    while (size_t n = in.read(buffer.data(), buffer.size())) out.write(buffer.data(), n);
    out.close();
  } catch (...) {
    out.close();
    removeFile(machine_.resolve(destination));
    throw;
  }
  HostLocation copied = machine_.resolve(destination);
  // The copy keeps the last-write time; a move keeps all three.
  attributes_.setTimes(
      *copied.drive, copied.host, keepAllTimes ? std::optional(info.times.creation) : std::nullopt,
      keepAllTimes ? std::optional(info.times.lastAccess) : std::nullopt, info.times.lastWrite);
}

void FileSystem::copyFile(std::string_view source, std::string_view destination,
                          bool failIfExists) {
  copyContent(existing(source), destination, failIfExists, false);
}

void FileSystem::moveFile(std::string_view source, std::string_view destination) {
  move(source, destination, kMoveFileCopyAllowed);
}

void FileSystem::moveOnDrive(const HostLocation& source, const HostLocation& target,
                             std::string_view destination) {
  bool sameEntry = target.exists && hostFileId(target.host) == hostFileId(source.host);
  fs::path newHost =
      sameEntry ? target.host.parent_path() / ansiToUtf8(target.path.name()) : target.host;
  bool isDirectory = fs::is_directory(source.host);
  if (::rename(source.host.c_str(), newHost.c_str()) != 0)
    throw OsError(errno == EINVAL ? WinError::AccessDenied : errorFromErrno(errno),
                  source.path.str());
  Drive& drive = *source.drive;
  if (target.exists && !sameEntry) {
    attributes_.removed(drive, target.host);
    forgetAlias(target);
  }
  attributes_.moved(drive, source.host, newHost);
  forgetAlias(source);
  if (isDirectory)
    drive.aliases().moveFolder(Machine::aliasKey(drive, source.host),
                               Machine::aliasKey(drive, newHost));
  giveAlias(destination);
}

void FileSystem::moveFileEx(std::string_view source, std::string_view destination, uint32_t flags) {
  // Windows 95, 98 and ME cannot delay a move to the next start (wininit.ini
  // does that there). Real Windows 9x refuses MoveFileEx altogether; the layer
  // keeps its other flags working on every version, since the program's own
  // replace-by-rename relies on them.
  if ((flags & kMoveFileDelayUntilReboot) && !isNt(machine_.version()))
    throw OsError(WinError::CallNotImplemented, std::string(source));
  move(source, destination, flags);
}

void FileSystem::move(std::string_view source, std::string_view destination, uint32_t flags) {
  if (flags & kMoveFileDelayUntilReboot) {
    if (flags & kMoveFileCopyAllowed)
      throw OsError(WinError::InvalidParameter, std::string(source));
    DelayedMove move;
    move.source = parseWinPath(source).str();
    if (!destination.empty()) move.destination = parseWinPath(destination).str();
    move.replaceExisting = (flags & kMoveFileReplaceExisting) != 0;
    DelayedMoveList(machine_.stateFolder()).add(move);
    return;
  }
  if (destination.empty()) throw OsError(WinError::InvalidParameter, std::string(source));
  HostLocation from = existing(source);
  HostLocation to = machine_.resolve(destination);
  std::string targetPath(destination);
  if (from.path.components.empty()) throw OsError(WinError::AccessDenied, std::string(source));
  if (!to.parentExists) throw OsError(WinError::PathNotFound, targetPath);
  requireWritableMedium(from);
  requireWritableMedium(to);
  requireNotHeld(from, kAccessDelete);
  bool sameEntry = to.exists && hostFileId(to.host) == hostFileId(from.host);
  if (to.exists && !sameEntry) {
    if (!(flags & kMoveFileReplaceExisting)) throw OsError(WinError::AlreadyExists, targetPath);
    if (fs::is_directory(to.host) || fs::is_directory(from.host))
      throw OsError(WinError::AccessDenied, targetPath);
    if (attributes_.query(*to.drive, to.host).attributes & kAttributeReadOnly)
      throw OsError(WinError::AccessDenied, targetPath);
    requireNotHeld(to, kAccessDelete);
  }
  if (from.drive == to.drive) {
    moveOnDrive(from, to, destination);
    return;
  }
  if (!(flags & kMoveFileCopyAllowed)) throw OsError(WinError::NotSameDevice, targetPath);
  if (fs::is_directory(from.host)) throw OsError(WinError::AccessDenied, std::string(source));
  copyContent(from, destination, !(flags & kMoveFileReplaceExisting), true);
  removeFile(from);
}

void FileSystem::deleteFile(std::string_view path) {
  HostLocation location = existing(path);
  if (fs::is_directory(location.host)) throw OsError(WinError::AccessDenied, std::string(path));
  requireWritableMedium(location);
  if (attributes_.query(*location.drive, location.host).attributes & kAttributeReadOnly)
    throw OsError(WinError::AccessDenied, std::string(path));
  requireNotHeld(location, kAccessDelete);
  removeFile(location);
}

void FileSystem::createDirectory(std::string_view path) {
  HostLocation location = machine_.resolve(path);
  if (location.exists) throw OsError(WinError::AlreadyExists, std::string(path));
  if (!location.parentExists) throw OsError(WinError::PathNotFound, std::string(path));
  requireWritableMedium(location);
  location.drive->checkRoomFor(0, 1, std::string(path));  // a folder takes one cluster
  if (::mkdir(location.host.c_str(), 0755) != 0)
    throw OsError(errorFromErrno(errno), std::string(path));
  attributes_.created(*location.drive, location.host, 0);
  giveAlias(path);
}

void FileSystem::removeDirectory(std::string_view path) {
  HostLocation location = existing(path);
  std::string winPath(path);
  if (!fs::is_directory(location.host)) throw OsError(WinError::Directory, winPath);
  if (location.path.components.empty()) throw OsError(WinError::AccessDenied, winPath);
  requireWritableMedium(location);
  if (attributes_.query(*location.drive, location.host).attributes & kAttributeReadOnly)
    throw OsError(WinError::AccessDenied, winPath);
  if (!fs::is_empty(location.host)) throw OsError(WinError::DirNotEmpty, winPath);
  if (::rmdir(location.host.c_str()) != 0) throw OsError(errorFromErrno(errno), winPath);
  attributes_.removed(*location.drive, location.host);
  forgetAlias(location);
}

uint32_t FileSystem::getFileAttributes(std::string_view path) {
  return getFileAttributesEx(path).attributes;
}

FileInfo FileSystem::getFileAttributesEx(std::string_view path) {
  HostLocation location = existing(path);
  return attributes_.query(*location.drive, location.host);
}

void FileSystem::setFileAttributes(std::string_view path, uint32_t attributes) {
  HostLocation location = existing(path);
  requireWritableMedium(location);
  attributes_.set(*location.drive, location.host, attributes);
}

FileTimes FileSystem::getFileTime(std::string_view path) {
  return getFileAttributesEx(path).times;
}

void FileSystem::setFileTime(std::string_view path, std::optional<FileTime> creation,
                             std::optional<FileTime> lastAccess,
                             std::optional<FileTime> lastWrite) {
  HostLocation location = existing(path);
  requireWritableMedium(location);
  // SetFileTime needs a handle opened for writing: refused on read-only files
  // and on files Windows holds.
  bool isDirectory = fs::is_directory(location.host);
  if (!isDirectory) {
    if (attributes_.query(*location.drive, location.host).attributes & kAttributeReadOnly)
      throw OsError(WinError::AccessDenied, std::string(path));
    requireNotHeld(location, kGenericWrite);
  }
  attributes_.setTimes(*location.drive, location.host, creation, lastAccess, lastWrite);
}

uint64_t FileSystem::getFileSize(std::string_view path) {
  return getFileAttributesEx(path).size;
}

bool FileSystem::exists(std::string_view path) {
  try {
    return machine_.resolve(path).exists;
  } catch (const OsError&) {
    return false;
  }
}

bool FileSystem::fileExists(std::string_view path) {
  try {
    HostLocation location = machine_.resolve(path);
    return location.exists && !fs::is_directory(location.host);
  } catch (const OsError&) {
    return false;
  }
}

bool FileSystem::directoryExists(std::string_view path) {
  try {
    HostLocation location = machine_.resolve(path);
    return location.exists && fs::is_directory(location.host);
  } catch (const OsError&) {
    return false;
  }
}

FileSearch FileSystem::findFirstFile(std::string_view pattern) {
  return FileSearch(machine_, attributes_, pattern);
}

std::vector<FindData> FileSystem::findAll(std::string_view pattern) {
  return platform::findAll(machine_, attributes_, pattern);
}

std::vector<DelayedMove> FileSystem::pendingDelayedMoves() const {
  return DelayedMoveList(machine_.stateFolder()).pending();
}

}  // namespace platform
