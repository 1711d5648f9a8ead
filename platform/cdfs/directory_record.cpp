#include "platform/cdfs/directory_record.h"

#include <cstring>

namespace platform::cdfs {

namespace {

constexpr size_t kFixedPart = 33;

uint32_t le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

}  // namespace

std::optional<DirectoryRecord> readDirectoryRecord(const uint8_t* bytes, size_t available) {
  if (available < kFixedPart + 1) return std::nullopt;
  const size_t length = bytes[0];
  if (length < kFixedPart + 1 || length > available) return std::nullopt;
  const size_t identifierLength = bytes[32];
  if (identifierLength == 0 || kFixedPart + identifierLength > length) return std::nullopt;
  DirectoryRecord record;
  record.length = length;
  record.location = le32(bytes + 2);
  record.dataLength = le32(bytes + 10);
  record.date.year = 1900 + bytes[18];
  record.date.month = bytes[19];
  record.date.day = bytes[20];
  record.date.hour = bytes[21];
  record.date.minute = bytes[22];
  record.date.second = bytes[23];
  record.flags = bytes[25];
  record.identifier.assign(bytes + kFixedPart, bytes + kFixedPart + identifierLength);
  return record;
}

std::optional<VolumeDescriptor> readVolumeDescriptor(const uint8_t* sector) {
  if (std::memcmp(sector + 1, "CD001", 5) != 0) return std::nullopt;
  VolumeDescriptor descriptor;
  descriptor.type = sector[0];
  if (descriptor.type != 1 && descriptor.type != 2) return descriptor;
  descriptor.volumeSpaceSize = le32(sector + 80);
  std::optional<DirectoryRecord> root = readDirectoryRecord(sector + 156, 34);
  if (!root) return std::nullopt;
  descriptor.root = *root;
  return descriptor;
}

}  // namespace platform::cdfs
