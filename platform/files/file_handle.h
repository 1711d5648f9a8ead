#pragma once
// An open file: ReadFile, WriteFile, SetFilePointerEx, GetFileSizeEx,
// SetEndOfFile, CloseHandle. Made by FileSystem::createFile; it must not
// outlive that FileSystem.
//
// A write is all or nothing: it is refused with ERROR_DISK_FULL before any
// byte is written when the drive's capacity would be exceeded, and a host
// write that fails part way is undone.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/file_time.h"
#include "platform/files/sharing.h"
#include "platform/host/host_file.h"

namespace platform {

class Drive;
class FileAttributes;

enum class SeekOrigin { Begin = 0, Current = 1, End = 2 };  // FILE_BEGIN ...

class FileHandle {
 public:
  struct Opened {
    host::HostFile file;
    uint32_t access = 0;
    std::string winPath;
    std::filesystem::path host;
    Drive* drive = nullptr;
    FileAttributes* attributes = nullptr;
    ShareTable::Token token = 0;
    // GetFileAttributes of a file that existed when it was opened, as the
    // open found it; nullopt for a file the open created.
    std::optional<uint32_t> attributesAtOpen;
  };

  FileHandle() = default;
  explicit FileHandle(Opened opened);
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool isOpen() const { return opened_.file.isOpen(); }
  const std::string& path() const { return opened_.winPath; }
  // The attributes an existing file had when it was opened (before a
  // truncation changed them); nullopt for a new file.
  std::optional<uint32_t> attributesAtOpen() const { return opened_.attributesAtOpen; }

  // Reads up to `count` bytes at the file pointer; 0 at the end of the file.
  // Throws OsError AccessDenied without read access.
  size_t read(void* buffer, size_t count);
  // Writes all bytes at the file pointer or none: OsError DiskFull,
  // AccessDenied without write access, WriteFault.
  void write(const void* data, size_t count);
  // Moves the file pointer; NegativeSeek before the start. Returns the new position.
  uint64_t seek(int64_t distance, SeekOrigin origin);
  uint64_t position() const { return position_; }
  uint64_t size() const;
  // The file ends at the file pointer (growing it is checked like a write).
  void setEndOfFile();
  // SetFileTime: the times given are changed, the others kept. Needs write
  // access (AccessDenied otherwise).
  void setFileTime(std::optional<FileTime> creation, std::optional<FileTime> lastAccess,
                   std::optional<FileTime> lastWrite);
  void close();

 private:
  void requireOpen() const;
  void noteModified();

  Opened opened_;
  uint64_t position_ = 0;
  bool modified_ = false;
};

}  // namespace platform
