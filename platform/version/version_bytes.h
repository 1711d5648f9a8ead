#pragma once
// Little-endian fields of PE images and version resources. Readers check the
// range first; these helpers assume it is inside the bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::version {

inline uint16_t le16(std::string_view bytes, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                               static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

inline uint32_t le32(std::string_view bytes, size_t offset) {
  return static_cast<uint32_t>(le16(bytes, offset)) | static_cast<uint32_t>(le16(bytes, offset + 2))
                                                          << 16;
}

inline void putLe16(std::string& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

inline void putLe32(std::string& bytes, size_t offset, uint32_t value) {
  putLe16(bytes, offset, static_cast<uint16_t>(value & 0xFFFF));
  putLe16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

inline void appendLe16(std::string& bytes, uint16_t value) {
  bytes.resize(bytes.size() + 2);
  putLe16(bytes, bytes.size() - 2, value);
}

inline void appendLe32(std::string& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 4);
  putLe32(bytes, bytes.size() - 4, value);
}

inline size_t alignUp(size_t value, size_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

}  // namespace platform::version
