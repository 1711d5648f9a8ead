#pragma once
// What the host says about the file system a path lies on.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform::host {

struct VolumeSpace {
  uint64_t totalBytes = 0;
  uint64_t availableBytes = 0;  // to an unprivileged user
};

// nullopt when the host cannot tell.
std::optional<VolumeSpace> volumeSpace(const std::filesystem::path& path);

// The host file systems that keep DOS attributes of their own.
enum class FileSystemKind {
  Fat,         // Linux's msdos/vfat driver
  KernelNtfs,  // ntfs3 (and the old read-only ntfs driver)
  Fuse,        // a FUSE mount, which is how ntfs-3g mounts NTFS
  Other,
};

FileSystemKind fileSystemKind(const std::filesystem::path& path);

}  // namespace platform::host
