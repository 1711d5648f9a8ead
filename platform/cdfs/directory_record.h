#pragma once
// Reading the ISO 9660 structures a CD session's tree is made of: volume
// descriptors and directory records. The bytes come from a disc, so every
// length is checked against the record and the sector it lies in.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/core/system_time.h"

namespace platform::cdfs {

inline constexpr size_t kSectorSize = 2048;
inline constexpr uint8_t kFlagHidden = 1;  // the existence bit
inline constexpr uint8_t kFlagDirectory = 2;

struct DirectoryRecord {
  size_t length = 0;  // bytes the record takes
  uint32_t location = 0;
  uint32_t dataLength = 0;
  SystemTime date;  // year to second; the time-zone byte is not kept
  uint8_t flags = 0;
  std::vector<uint8_t> identifier;

  bool isDirectory() const { return (flags & kFlagDirectory) != 0; }
  bool hidden() const { return (flags & kFlagHidden) != 0; }
  // "." (0x00) and ".." (0x01).
  bool isSelfOrParent() const {
    return identifier.size() == 1 && (identifier[0] == 0 || identifier[0] == 1);
  }
};

// The record at the start of `bytes` (`available` bytes up to the end of its
// sector). nullopt when its length is zero, shorter than a record can be,
// runs past `available`, or its identifier runs past the record.
std::optional<DirectoryRecord> readDirectoryRecord(const uint8_t* bytes, size_t available);

struct VolumeDescriptor {
  uint8_t type = 0;  // 1 primary, 2 supplementary, 255 terminator
  uint32_t volumeSpaceSize = 0;
  DirectoryRecord root;
};

// A sector holding "CD001" after its type byte; nullopt otherwise, or when
// a primary or supplementary descriptor's root record is malformed.
std::optional<VolumeDescriptor> readVolumeDescriptor(const uint8_t* sector);

}  // namespace platform::cdfs
