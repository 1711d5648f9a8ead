#pragma once
// Big-endian fields of MMC command blocks and replies, and CD addresses as
// minutes, seconds and frames (75 frames a second; LBA 0 is 00:02:00).

#include <cstdint>

namespace platform::scsi {

inline uint16_t getBe16(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline uint32_t getBe32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}
inline void putBe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void putBe24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 16);
  putBe16(p + 1, v);
}
inline void putBe32(uint8_t* p, uint32_t v) {
  putBe16(p, v >> 16);
  putBe16(p + 2, v);
}

// Frames as M, S, F (no offset): 359 999 frames are 79:59:74.
inline void putMsf(uint8_t* p, uint32_t frames) {
  p[0] = static_cast<uint8_t>(frames / 4500);
  p[1] = static_cast<uint8_t>(frames / 75 % 60);
  p[2] = static_cast<uint8_t>(frames % 75);
}

// A TOC address field: 4 bytes of LBA, or 0, M, S, F of LBA + 150.
inline void putTocAddress(uint8_t* p, uint32_t lba, bool msf) {
  if (!msf) return putBe32(p, lba);
  p[0] = 0;
  putMsf(p + 1, lba + 150);
}

}  // namespace platform::scsi
