#pragma once
// CRC-32 of ZIP entries (the ISO 3309 polynomial), computed with libdeflate's
// table-folding implementation.

#include <libdeflate.h>

#include <cstddef>
#include <cstdint>

namespace archive {

// Continues a CRC-32 over more bytes; start with 0.
inline uint32_t crc32Update(uint32_t crc, const void* data, size_t length) {
  return libdeflate_crc32(crc, data, length);
}

}  // namespace archive
