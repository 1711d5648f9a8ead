#pragma once
// Everything the archive engine asks of the machine's files and drives, in
// Windows terms: Windows paths ("C:\WINDOWS\win.ini") in the ANSI code page,
// DOS attributes, FILETIME stamps. The program plugs in the platform layer;
// tests use a small host-folder implementation.
//
// Failures throw platform::OsError with the Windows error code (sharing
// violation, disk full, path not found, ...).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/zip_dos_time.h"
#include "archive/zip_format.h"  // dosattr

namespace archive {

struct FileTimes {
  FileTime creation = 0;
  FileTime lastAccess = 0;
  FileTime lastWrite = 0;
};

// One result of a directory search (FindFirstFile/FindNextFile).
struct FoundFile {
  std::string name;
  uint32_t attributes = 0;  // DOS attributes, dosattr::kDirectory for folders
  uint64_t size = 0;
  FileTimes times;
};

enum class DriveType { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// A file opened for reading. readAt may be called from a worker thread, one
// thread at a time per object.
class ZipInputFile {
 public:
  virtual ~ZipInputFile() = default;
  virtual uint64_t size() = 0;
  // Reads up to length bytes at offset; fewer only at the end of the file.
  virtual size_t readAt(uint64_t offset, void* buffer, size_t length) = 0;
};

// A file created for writing. write throws OsError(DiskFull) when the drive
// is full; close flushes and reports a late failure the same way.
class ZipOutputFile {
 public:
  virtual ~ZipOutputFile() = default;
  virtual void write(const void* data, size_t length) = 0;
  // Sets the file's times (a 0 time is left as it is) after the last write,
  // before close, where the file system can (SetFileTime on the handle);
  // false when it cannot, and ZipFileSystem::setFileTimes is to be used after
  // closing.
  virtual bool setTimes(const FileTimes&) { return false; }
  virtual void close() = 0;
};

class ZipFileSystem {
 public:
  virtual ~ZipFileSystem() = default;

  // Files and folders matching the pattern's last component with Windows
  // wildcard rules ("*.*" also matches names without a dot); never "." or "..".
  // A missing folder gives an empty list.
  virtual std::vector<FoundFile> findFiles(const std::string& pattern) = 0;

  // Opens an existing file for reading with full sharing.
  virtual std::unique_ptr<ZipInputFile> openRead(const std::string& path) = 0;
  // Creates (or truncates) a file; the folder must exist. The file then has
  // the archive attribute and no other, as reopen leaves one.
  virtual std::unique_ptr<ZipOutputFile> create(const std::string& path) = 0;
  // An existing file that already holds exactly `data` (what create would be
  // followed by): opened for writing with the refusals of create and given
  // its attributes, its content kept, so nothing is freed on the host and
  // written again. nullptr, the file untouched, when it is missing or holds
  // other bytes, or where the file system cannot; create is used then.
  // Throws what the open for writing refuses (read-only, held, shared).
  virtual std::unique_ptr<ZipOutputFile> reopenHolding(const std::string&, const uint8_t*, size_t) {
    return nullptr;
  }

  // GetFileAttributes: nullopt when the path does not exist.
  virtual std::optional<uint32_t> attributes(const std::string& path) = 0;
  virtual void setAttributes(const std::string& path, uint32_t attributes) = 0;
  virtual FileTimes fileTimes(const std::string& path) = 0;
  virtual void setFileTimes(const std::string& path, const FileTimes& times) = 0;

  // Creates one folder (its parent must exist); an existing folder is fine.
  virtual void createDirectory(const std::string& path) = 0;
  virtual void deleteFile(const std::string& path) = 0;
  // MoveFile: also across drives; fails when the destination exists.
  virtual void moveFile(const std::string& from, const std::string& to) = 0;
  // MoveFileEx with MOVEFILE_REPLACE_EXISTING, both paths in one folder: `to`
  // (if it exists) gives way to `from` in one step. Fails as replacing `to`
  // would: read-only (access denied), in use (sharing violation).
  virtual void replaceFile(const std::string& from, const std::string& to) = 0;

  // Drive queries take the root, e.g. "A:\".
  virtual uint64_t freeSpace(const std::string& root) = 0;
  virtual DriveType driveType(const std::string& root) = 0;
  virtual std::string volumeLabel(const std::string& root) = 0;
  virtual void setVolumeLabel(const std::string& root, const std::string& label) = 0;

  // FileTimeToLocalFileTime / LocalFileTimeToFileTime: ZIP entries carry local
  // time.
  virtual FileTime toLocalTime(FileTime utc) { return utc; }
  virtual FileTime toUtcTime(FileTime local) { return local; }
  // GetSystemTimeAsFileTime.
  virtual FileTime now() = 0;
};

// Questions the engine asks of a file system in several places.

// A file (not a folder) of that name exists.
bool fileExists(ZipFileSystem& fs, const std::string& path);
// The file's size; 0 when it does not exist.
uint64_t fileSize(ZipFileSystem& fs, const std::string& path);
// Creates every missing folder of a path ending in "\" (or of a file path's
// folder), outermost first, below the drive root.
void createFolders(ZipFileSystem& fs, const std::string& path);

}  // namespace archive
