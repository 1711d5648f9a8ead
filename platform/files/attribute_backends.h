#pragma once
// The attribute backends behind makeAttributeBackend (attribute_backend.h).
// Each keeps the attributes in one host mechanism
// (platform/host/host_attribute_stores.h).

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/files/attribute_backend.h"
#include "platform/files/attribute_file.h"

namespace platform {

// Everything in the state folder.
std::unique_ptr<AttributeBackend> makeStateFolderBackend(std::unique_ptr<AttributeFile> file);
// Samba's user.DOSATTRIB extended attribute; holds everything itself (the
// state file only serves entries that refuse extended attributes, e.g. symlinks).
std::unique_ptr<AttributeBackend> makeDosAttribBackend(std::unique_ptr<AttributeFile> file);
// A backend with a state-folder record file, kept in step when entries are
// deleted or moved.
class RecordFileBackend : public AttributeBackend {
 public:
  explicit RecordFileBackend(std::unique_ptr<AttributeFile> file) : file_(std::move(file)) {}
  void removed(const std::filesystem::path& host) final { file_->erase(host); }
  void moved(const std::filesystem::path& from, const std::filesystem::path& to) final {
    file_->move(from, to);
  }

 protected:
  AttributeFile& file() { return *file_; }

 private:
  std::unique_ptr<AttributeFile> file_;
};

// A host file system that keeps the attribute bits of every entry itself
// (FAT, NTFS): creation times and archive stamps it cannot hold go to the
// record file.
class BitsOnHostBackend : public RecordFileBackend {
 public:
  using RecordFileBackend::RecordFileBackend;
  std::optional<StoredAttributes> load(const std::filesystem::path& host) final;
  void save(const std::filesystem::path& host, const StoredAttributes& stored) final;

 protected:
  virtual std::optional<uint32_t> readBits(const std::filesystem::path& host) = 0;
  virtual void writeBits(const std::filesystem::path& host, uint32_t bits) = 0;
  // A creation time the host keeps natively, if it does.
  virtual std::optional<FileTime> readCreation(const std::filesystem::path&) {
    return std::nullopt;
  }
  virtual bool writeCreation(const std::filesystem::path&, FileTime) { return false; }
};

// The FAT driver's attribute ioctls.
std::unique_ptr<AttributeBackend> makeFatIoctlBackend(std::unique_ptr<AttributeFile> extras);
bool fatIoctlsWork(const std::filesystem::path& root);
// An NTFS driver's attribute word, exposed as the extended attribute `name`.
std::unique_ptr<AttributeBackend> makeNtfsBackend(const std::string& name,
                                                  std::unique_ptr<AttributeFile> extras);
bool xattrReadable(const std::filesystem::path& root, const std::string& name);
// True when `root` answers user.* extended attribute requests.
bool hostHasUserXattrs(const std::filesystem::path& root);

}  // namespace platform
