#include "platform/registry/nt_hive_layout.h"

namespace platform::registry::nt_hive {

uint32_t baseBlockXor(const uint8_t* baseBlock) {
  uint32_t sum = 0;
  for (size_t offset = 0; offset < kBaseChecksum; offset += 4) sum ^= readU32(baseBlock + offset);
  return sum;
}

uint32_t baseBlockChecksum(const uint8_t* baseBlock) {
  uint32_t sum = baseBlockXor(baseBlock);
  if (sum == 0xFFFFFFFF) return 0xFFFFFFFE;
  if (sum == 0) return 1;
  return sum;
}

}  // namespace platform::registry::nt_hive
