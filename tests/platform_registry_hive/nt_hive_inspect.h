#pragma once
// Test helpers that look at the cells of a written hive directly.

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/registry/nt_hive_layout.h"

namespace hive_inspect {

using platform::registry::nt_hive::readU16;
using platform::registry::nt_hive::readU32;

// File offset of the record (after the size field) of a cell.
inline size_t recordAt(uint32_t cellOffset) {
  return 4096 + cellOffset + 4;
}

// Cell offsets of the allocated cells whose record starts with `signature`.
inline std::vector<uint32_t> cellsWithSignature(const std::vector<uint8_t>& hive,
                                                const char* signature) {
  std::vector<uint32_t> found;
  uint32_t binsSize = readU32(&hive[40]);
  for (uint32_t bin = 0; bin < binsSize; bin += readU32(&hive[4096 + bin + 8])) {
    uint32_t end = bin + readU32(&hive[4096 + bin + 8]);
    for (uint32_t cell = bin + 32; cell < end;) {
      auto size = static_cast<int32_t>(readU32(&hive[4096 + cell]));
      if (size < 0 && std::memcmp(&hive[recordAt(cell)], signature, 2) == 0) found.push_back(cell);
      cell += static_cast<uint32_t>(size < 0 ? -size : size);
    }
  }
  return found;
}

inline uint32_t u32At(const std::vector<uint8_t>& hive, size_t fileOffset) {
  return readU32(&hive[fileOffset]);
}
inline uint16_t u16At(const std::vector<uint8_t>& hive, size_t fileOffset) {
  return readU16(&hive[fileOffset]);
}

}  // namespace hive_inspect
