#include "platform/files/file_system.h"

#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/files/held_open_files.h"
#include "platform/host/host_files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr size_t kCopyChunk = 1 << 20;

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
  if (ShareTable::process().conflicts(host::fileIdentity(location.host), access,
                                      kFileShareRead | kFileShareWrite | kFileShareDelete))
    throw OsError(WinError::SharingViolation, location.path.str());
}

void FileSystem::giveAlias(const HostLocation& created) {
  machine_.shortNameOf(created);
}

void FileSystem::removeFile(const HostLocation& location) {
  if (std::error_code error = host::removeFile(location.host))
    throw OsError(winErrorFromHost(error), location.path.str());
  attributes_.removed(*location.drive, location.host);
  machine_.forgetShortNameOf(location);
}

FileHandle FileSystem::createFile(std::string_view path, uint32_t access, uint32_t share,
                                  CreationDisposition disposition, uint32_t attributes) {
  HostLocation location = machine_.resolve(path);
  std::string winPath(path);
  if (location.path.components.empty()) throw OsError(WinError::AccessDenied, winPath);
  if (!location.parentExists) throw OsError(WinError::PathNotFound, winPath);
  if (isDosDeviceName(location.path.name())) throw OsError(WinError::InvalidName, winPath);
  bool exists = location.exists;
  if (exists && host::isDirectory(location.host)) throw OsError(WinError::AccessDenied, winPath);
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
  std::optional<uint32_t> attributesAtOpen;
  if (exists) {
    uint32_t current = attributes_.query(*location.drive, location.host).attributes;
    attributesAtOpen = current;
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
  std::error_code openError;
  host::HostFile file = host::HostFile::open(
      location.host,
      grantsWrite(access) || truncate ? host::HostFile::Access::ReadWrite
                                      : host::HostFile::Access::Read,
      exists ? host::HostFile::Create::No : host::HostFile::Create::New, openError);
  if (!file.isOpen()) throw OsError(winErrorFromHost(openError), winPath);
  // The opened file's own status gives its identity and, for a new file,
  // what its record needs: one host call for both.
  std::optional<host::EntryStatus> status = file.status();
  ShareTable::Token token = 0;
  try {
    token = ShareTable::process().acquire(
        status ? status->identity : host::fileIdentity(location.host), access, share, winPath);
  } catch (...) {
    file.close();
    if (!exists) host::removeFile(location.host);
    throw;
  }
  if (truncate) {
    if (std::error_code error = file.truncate(0)) {
      ShareTable::process().release(token);
      throw OsError(winErrorFromHost(error), winPath);
    }
  }
  FileHandle handle(FileHandle::Opened{std::move(file), access, winPath, location.host,
                                       location.drive, &attributes_, token, attributesAtOpen});
  if (!exists) {
    attributes_.created(*location.drive, location.host, attributes, status ? &*status : nullptr);
    giveAlias(location);
  } else if (truncate) {
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
  if (target.exists && host::isDirectory(target.host))
    throw OsError(WinError::AccessDenied, targetPath);
  if (target.exists && failIfExists) throw OsError(WinError::FileExists, targetPath);
  if (target.exists && host::fileIdentity(target.host) == host::fileIdentity(source.host))
    throw OsError(WinError::SharingViolation, targetPath);
  requireWritableMedium(target);
  uint64_t oldSize = target.exists ? host::fileSize(target.host).value_or(0) : 0;
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
  bool sameEntry =
      target.exists && host::fileIdentity(target.host) == host::fileIdentity(source.host);
  fs::path newHost =
      sameEntry ? target.host.parent_path() / ansiToUtf8(target.path.name()) : target.host;
  bool isDirectory = host::isDirectory(source.host);
  if (std::error_code error = host::renameEntry(source.host, newHost))
    throw OsError(winErrorFromHost(error), source.path.str());
  Drive& drive = *source.drive;
  if (target.exists && !sameEntry) {
    attributes_.removed(drive, target.host);
    machine_.forgetShortNameOf(target);
  }
  attributes_.moved(drive, source.host, newHost);
  machine_.forgetShortNameOf(source);
  if (isDirectory)
    drive.aliases().moveFolder(Machine::aliasKey(drive, source.host),
                               Machine::aliasKey(drive, newHost));
  giveAlias(machine_.resolve(destination));
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
  bool sameEntry = to.exists && host::fileIdentity(to.host) == host::fileIdentity(from.host);
  if (to.exists && !sameEntry) {
    if (!(flags & kMoveFileReplaceExisting)) throw OsError(WinError::AlreadyExists, targetPath);
    if (host::isDirectory(to.host) || host::isDirectory(from.host))
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
  if (host::isDirectory(from.host)) throw OsError(WinError::AccessDenied, std::string(source));
  copyContent(from, destination, !(flags & kMoveFileReplaceExisting), true);
  removeFile(from);
}

void FileSystem::deleteFile(std::string_view path) {
  HostLocation location = existing(path);
  if (host::isDirectory(location.host)) throw OsError(WinError::AccessDenied, std::string(path));
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
  if (std::error_code error = host::makeDirectory(location.host))
    throw OsError(winErrorFromHost(error), std::string(path));
  attributes_.created(*location.drive, location.host, 0);
  giveAlias(location);
}

void FileSystem::removeDirectory(std::string_view path) {
  HostLocation location = existing(path);
  std::string winPath(path);
  if (!host::isDirectory(location.host)) throw OsError(WinError::Directory, winPath);
  if (location.path.components.empty()) throw OsError(WinError::AccessDenied, winPath);
  requireWritableMedium(location);
  if (attributes_.query(*location.drive, location.host).attributes & kAttributeReadOnly)
    throw OsError(WinError::AccessDenied, winPath);
  if (!host::isEmptyDirectory(location.host)) throw OsError(WinError::DirNotEmpty, winPath);
  if (std::error_code error = host::removeDirectory(location.host))
    throw OsError(winErrorFromHost(error), winPath);
  attributes_.removed(*location.drive, location.host);
  machine_.forgetShortNameOf(location);
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
  bool isDirectory = host::isDirectory(location.host);
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
    return location.exists && !host::isDirectory(location.host);
  } catch (const OsError&) {
    return false;
  }
}

bool FileSystem::directoryExists(std::string_view path) {
  try {
    HostLocation location = machine_.resolve(path);
    return location.exists && host::isDirectory(location.host);
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

std::vector<SizedEntry> FileSystem::listFolderSizes(std::string_view folder) {
  return platform::listFolderSizes(machine_, folder);
}

std::vector<DelayedMove> FileSystem::pendingDelayedMoves() const {
  return DelayedMoveList(machine_.stateFolder()).pending();
}

}  // namespace platform
