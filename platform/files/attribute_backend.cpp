#include "platform/files/attribute_backend.h"

#include <sys/vfs.h>

#include "platform/files/attribute_backends.h"

namespace platform {

namespace {
// statfs f_type values of the file systems with a native attribute store.
constexpr long kMsdosMagic = 0x4d44;
constexpr long kNtfsMagic = 0x5346544e;  // ntfs3 (and the old read-only ntfs driver)
constexpr long kFuseMagic = 0x65735546;  // ntfs-3g mounts through FUSE

constexpr const char* kNtfs3Attribute = "system.dos_attrib";
constexpr const char* kNtfs3gAttribute = "system.ntfs_attrib";
}  // namespace

std::unique_ptr<AttributeBackend> makeAttributeBackend(const std::filesystem::path& root,
                                                       std::unique_ptr<AttributeFile> file,
                                                       BackendChoice choice) {
  if (choice == BackendChoice::StateFolder) return makeStateFolderBackend(std::move(file));
  struct statfs info {};
  long type = ::statfs(root.c_str(), &info) == 0 ? static_cast<long>(info.f_type) : 0;
  if (type == kMsdosMagic && fatIoctlsWork(root)) return makeFatIoctlBackend(std::move(file));
  if (type == kNtfsMagic && xattrReadable(root, kNtfs3Attribute))
    return makeNtfsBackend(kNtfs3Attribute, std::move(file));
  if (type == kFuseMagic && xattrReadable(root, kNtfs3gAttribute))
    return makeNtfsBackend(kNtfs3gAttribute, std::move(file));
  if (hostHasUserXattrs(root)) return makeDosAttribBackend(std::move(file));
  return makeStateFolderBackend(std::move(file));
}

}  // namespace platform
