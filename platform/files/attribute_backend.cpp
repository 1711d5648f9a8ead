#include "platform/files/attribute_backend.h"

#include "platform/files/attribute_backends.h"
#include "platform/host/host_volumes.h"

namespace platform {

namespace {
constexpr const char* kNtfs3Attribute = "system.dos_attrib";
constexpr const char* kNtfs3gAttribute = "system.ntfs_attrib";
}  // namespace

std::unique_ptr<AttributeBackend> makeAttributeBackend(const std::filesystem::path& root,
                                                       std::unique_ptr<AttributeFile> file,
                                                       BackendChoice choice) {
  if (choice == BackendChoice::StateFolder) return makeStateFolderBackend(std::move(file));
  host::FileSystemKind kind = host::fileSystemKind(root);
  if (kind == host::FileSystemKind::Fat && fatIoctlsWork(root))
    return makeFatIoctlBackend(std::move(file));
  if (kind == host::FileSystemKind::KernelNtfs && xattrReadable(root, kNtfs3Attribute))
    return makeNtfsBackend(kNtfs3Attribute, std::move(file));
  if (kind == host::FileSystemKind::Fuse && xattrReadable(root, kNtfs3gAttribute))
    return makeNtfsBackend(kNtfs3gAttribute, std::move(file));
  if (hostHasUserXattrs(root)) return makeDosAttribBackend(std::move(file));
  return makeStateFolderBackend(std::move(file));
}

}  // namespace platform
