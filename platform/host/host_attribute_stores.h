#pragma once
// The places a Linux host keeps DOS attributes: extended attributes, and the
// FAT driver's attribute byte reached through its ioctls. Entries are never
// reached through a final symbolic link.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace platform::host {

// The value of an extended attribute; nullopt when the entry has none of that
// name, or one larger than 64 KiB.
std::optional<std::string> readExtendedAttribute(const std::filesystem::path& path,
                                                 const std::string& name);
std::error_code writeExtendedAttribute(const std::filesystem::path& path, const std::string& name,
                                       const std::string& value);
// True when the file system of `path` answers requests for the extended
// attribute `name` (whether or not the entry has one).
bool answersExtendedAttribute(const std::filesystem::path& path, const std::string& name);

// The FAT attribute byte of a file or folder on a FAT mount, as the driver's
// FAT_IOCTL_GET_ATTRIBUTES gives it; nullopt elsewhere.
std::optional<uint32_t> readFatAttributes(const std::filesystem::path& path);
std::error_code writeFatAttributes(const std::filesystem::path& path, uint32_t attributes);

}  // namespace platform::host
