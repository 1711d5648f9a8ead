#pragma once
// DOS file attributes and the three file times of a file, read from and kept
// where the host file system keeps them (see attribute_backend.h), with the
// archive bit behaving as on Windows: set on every new or changed file, also
// when another program changed the file on the host after the bit was cleared.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "platform/core/file_time.h"
#include "platform/core/machine.h"
#include "platform/files/attribute_backend.h"
#include "platform/host/host_file.h"

namespace platform {

// FILE_ATTRIBUTE_* values.
inline constexpr uint32_t kAttributeReadOnly = 0x01;
inline constexpr uint32_t kAttributeHidden = 0x02;
inline constexpr uint32_t kAttributeSystem = 0x04;
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;
inline constexpr uint32_t kAttributeNormal = 0x80;
// The bits SetFileAttributes may change.
inline constexpr uint32_t kSettableAttributes =
    kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive;

// What GetFileAttributesEx and a directory search report for one entry.
struct FileInfo {
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTimes times;
  bool isDirectory() const { return (attributes & kAttributeDirectory) != 0; }
};

class FileAttributes {
 public:
  // `choice` forces the store in the state folder (for hosts, or tests, that
  // should not carry attributes in the file system).
  explicit FileAttributes(Machine& machine, BackendChoice choice = BackendChoice::Automatic);
  ~FileAttributes();

  // Attributes, size and times of an existing entry of `drive`; throws OsError
  // FileNotFound when the host entry is gone.
  FileInfo query(Drive& drive, const std::filesystem::path& host);

  // SetFileAttributes: the settable bits of `attributes` replace the stored ones.
  void set(Drive& drive, const std::filesystem::path& host, uint32_t attributes);
  // SetFileTime: the times given are changed, the others kept.
  // With `open`, the host times are set through that open file (SetFileTime
  // on a handle) rather than by path.
  void setTimes(Drive& drive, const std::filesystem::path& host, std::optional<FileTime> creation,
                std::optional<FileTime> lastAccess, std::optional<FileTime> lastWrite,
                const host::HostFile* open = nullptr);
  // A new entry: attributes as given (files also get the archive bit) and,
  // where the host cannot report it, the creation time now. `status`: the
  // entry's host status when the caller has it (from the file it opened).
  void created(Drive& drive, const std::filesystem::path& host, uint32_t attributes,
               const host::EntryStatus* status = nullptr);
  // The content changed through us: the archive bit is set.
  void modified(Drive& drive, const std::filesystem::path& host);
  // The entry was deleted, or moved within the drive (records follow the entry).
  void removed(Drive& drive, const std::filesystem::path& host);
  void moved(Drive& drive, const std::filesystem::path& from, const std::filesystem::path& to);

  // The backend in use for a drive's current medium (detected once).
  AttributeBackend& backendFor(Drive& drive);

 private:
  Machine& machine_;
  BackendChoice choice_;
  std::map<std::filesystem::path, std::unique_ptr<AttributeBackend>> backends_;
};

}  // namespace platform
