#pragma once
// Where the host keeps the DOS attributes and creation time of a file. One
// backend per drive medium, picked from the host file system once:
//
// - a FAT file system mounted by Linux: the FAT attribute byte itself, through
//   the driver's ioctls (the driver also sets the archive bit on every change);
// - NTFS: the attribute word the driver exposes as an extended attribute
//   ("system.ntfs_attrib" with ntfs-3g, "system.dos_attrib" with ntfs3);
// - other file systems with user extended attributes: Samba's "user.DOSATTRIB";
// - otherwise a file in the machine's state folder.
//
// What a backend cannot keep natively (creation time, archive stamps) goes to
// the state-folder file beside it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/file_time.h"

namespace platform {

class AttributeFile;

// Size and last-write time of a file when its archive bit was cleared: a file
// that no longer has them was changed since, and gets the bit back.
struct ArchiveStamp {
  uint64_t size = 0;
  FileTime lastWrite;
  friend bool operator==(const ArchiveStamp&, const ArchiveStamp&) = default;
};

struct StoredAttributes {
  uint32_t attributes = 0;  // DOS bits, without the directory bit
  std::optional<FileTime> creation;
  std::optional<ArchiveStamp> cleanStamp;
  friend bool operator==(const StoredAttributes&, const StoredAttributes&) = default;
};

enum class BackendChoice { Automatic, StateFolder };

class AttributeBackend {
 public:
  virtual ~AttributeBackend() = default;
  // Short description for messages and docs ("user.DOSATTRIB", "FAT ioctl" ...).
  virtual std::string name() const = 0;
  // What is stored for the entry; nullopt when nothing is.
  virtual std::optional<StoredAttributes> load(const std::filesystem::path& host) = 0;
  // Throws OsError when the host refuses.
  virtual void save(const std::filesystem::path& host, const StoredAttributes& stored) = 0;
  // Bookkeeping for records that live beside the files rather than on them.
  virtual void removed(const std::filesystem::path& host) = 0;
  virtual void moved(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // True when the host driver sets the archive bit itself on every change.
  virtual bool hostSetsArchiveBit() const { return false; }
};

// Picks the backend for the medium rooted at `root`; `file` is the medium's
// state-folder record file.
std::unique_ptr<AttributeBackend> makeAttributeBackend(const std::filesystem::path& root,
                                                       std::unique_ptr<AttributeFile> file,
                                                       BackendChoice choice);

}  // namespace platform
