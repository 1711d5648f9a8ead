#include "platform/host/host_volumes.h"

#include <sys/statvfs.h>
#include <sys/vfs.h>

namespace platform::host {

namespace {
// statfs f_type values.
constexpr long kMsdosMagic = 0x4d44;
constexpr long kNtfsMagic = 0x5346544e;
constexpr long kFuseMagic = 0x65735546;
}  // namespace

std::optional<VolumeSpace> volumeSpace(const std::filesystem::path& path) {
  struct statvfs info {};
  if (::statvfs(path.c_str(), &info) != 0) return std::nullopt;
  return VolumeSpace{static_cast<uint64_t>(info.f_blocks) * info.f_frsize,
                     static_cast<uint64_t>(info.f_bavail) * info.f_frsize};
}

FileSystemKind fileSystemKind(const std::filesystem::path& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return FileSystemKind::Other;
  switch (static_cast<long>(info.f_type)) {
    case kMsdosMagic:
      return FileSystemKind::Fat;
    case kNtfsMagic:
      return FileSystemKind::KernelNtfs;
    case kFuseMagic:
      return FileSystemKind::Fuse;
    default:
      return FileSystemKind::Other;
  }
}

}  // namespace platform::host
