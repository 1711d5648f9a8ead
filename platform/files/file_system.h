#pragma once
// The kernel32 file calls over one machine: everything the program does to
// files, folders and drives goes through a FileSystem. Paths are full ANSI
// Windows paths; failures are OsError with the Win32 code Windows gives.
//
// Kept in step with every change: DOS attributes and times (file_attributes.h),
// 8.3 aliases (a new name gets its alias when it is created, a deleted one
// forgets it, a renamed folder's aliases move with it), sharing (open handles
// of the process and files Windows holds open, held_open_files.h) and drive
// capacity (no write beyond it, no partial file left by a failed copy).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/machine.h"
#include "platform/files/delayed_moves.h"
#include "platform/files/file_attributes.h"
#include "platform/files/file_handle.h"
#include "platform/files/find_files.h"
#include "platform/files/sharing.h"

namespace platform {

// dwCreationDisposition.
enum class CreationDisposition {
  CreateNew = 1,
  CreateAlways = 2,
  OpenExisting = 3,
  OpenAlways = 4,
  TruncateExisting = 5,
};

// MoveFileEx flags.
inline constexpr uint32_t kMoveFileReplaceExisting = 0x1;
inline constexpr uint32_t kMoveFileCopyAllowed = 0x2;
inline constexpr uint32_t kMoveFileDelayUntilReboot = 0x4;
inline constexpr uint32_t kMoveFileWriteThrough = 0x8;

// GetDiskFreeSpaceEx.
struct DiskFreeSpace {
  uint64_t freeBytesAvailable = 0;
  uint64_t totalBytes = 0;
  uint64_t totalFreeBytes = 0;
};

// GetVolumeInformation.
struct VolumeInformation {
  std::string label;
  uint32_t serial = 0;
  uint32_t maxComponentLength = 255;
  std::string fileSystem;
};

struct FileSystemOptions {
  // Keep attributes in the machine's state folder even where the host file
  // system could hold them.
  bool attributesInStateFolder = false;
  // Windows has started: the files it holds open (see held_open_files.h) are
  // refused. False for what runs before it opens them: the MS-DOS phase,
  // WININIT and the NT session manager's pending moves.
  bool windowsStarted = true;
};

class FileSystem {
 public:
  explicit FileSystem(Machine& machine, FileSystemOptions options = {});

  Machine& machine() { return machine_; }
  FileAttributes& attributes() { return attributes_; }

  // CreateFile. `attributes` (FILE_ATTRIBUTE_*) apply to a file it creates or
  // replaces; files it creates or replaces get the archive bit.
  FileHandle createFile(std::string_view path, uint32_t access, uint32_t share,
                        CreationDisposition disposition, uint32_t attributes = kAttributeNormal);

  void copyFile(std::string_view source, std::string_view destination, bool failIfExists);
  void moveFile(std::string_view source, std::string_view destination);
  // `destination` empty with kMoveFileDelayUntilReboot: delete at the next boot.
  // Windows 9x: ERROR_CALL_NOT_IMPLEMENTED for kMoveFileDelayUntilReboot.
  void moveFileEx(std::string_view source, std::string_view destination, uint32_t flags);
  void deleteFile(std::string_view path);
  void createDirectory(std::string_view path);
  void removeDirectory(std::string_view path);

  uint32_t getFileAttributes(std::string_view path);
  void setFileAttributes(std::string_view path, uint32_t attributes);
  FileInfo getFileAttributesEx(std::string_view path);
  FileTimes getFileTime(std::string_view path);
  void setFileTime(std::string_view path, std::optional<FileTime> creation,
                   std::optional<FileTime> lastAccess, std::optional<FileTime> lastWrite);
  uint64_t getFileSize(std::string_view path);
  bool exists(std::string_view path);
  bool fileExists(std::string_view path);
  bool directoryExists(std::string_view path);

  FileSearch findFirstFile(std::string_view pattern);
  std::vector<FindData> findAll(std::string_view pattern);
  // Names, folder flags and sizes of one folder's entries (find_files.h).
  std::vector<SizedEntry> listFolderSizes(std::string_view folder);

  // The moves MoveFileEx recorded for the next boot.
  std::vector<DelayedMove> pendingDelayedMoves() const;

  DiskFreeSpace getDiskFreeSpaceEx(std::string_view path);
  VolumeInformation getVolumeInformation(std::string_view root);
  void setVolumeLabel(std::string_view root, const std::string& label);
  DriveType getDriveType(std::string_view root);
  std::vector<std::string> getLogicalDriveStrings();

 private:
  HostLocation existing(std::string_view path);
  void requireWritableMedium(const HostLocation& location);
  void requireNotHeld(const HostLocation& location, uint32_t access);
  void giveAlias(const HostLocation& created);
  void removeFile(const HostLocation& location);
  void copyContent(const HostLocation& source, std::string_view destination, bool failIfExists,
                   bool keepAllTimes);
  void move(std::string_view source, std::string_view destination, uint32_t flags);
  void moveOnDrive(const HostLocation& source, const HostLocation& target,
                   std::string_view destination);
  Drive& driveOf(std::string_view rootOrPath);

  Machine& machine_;
  bool windowsStarted_;
  FileAttributes attributes_;
};

}  // namespace platform
