#include "tests/platform_simulators/free_space_registry.h"

namespace simulators_test {
namespace {

constexpr size_t kBlockCountField = 0x10;
constexpr size_t kHeaderFlagsField = 0x12;
constexpr uint16_t kChecksumValid = 0x4;
constexpr uint32_t kBlockHeaderSize = 0x20;

uint16_t get16(const std::string& bytes, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                               static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

void put(std::string& bytes, size_t offset, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string withFreeBlock(std::string registry, uint32_t freeBytes) {
  const uint16_t blocks = get16(registry, kBlockCountField);
  std::string block(freeBytes, '\0');
  block.replace(0, 4, "RGDB");
  put(block, 0x04, freeBytes, 4);                     // block size
  put(block, 0x08, freeBytes - kBlockHeaderSize, 4);  // unused bytes
  put(block, 0x0C, 0x9, 2);                           // flags: no valid checksum
  put(block, 0x0E, blocks, 2);                        // block number
  put(block, 0x10, kBlockHeaderSize, 4);              // first free byte
  // One free record fills the block.
  put(block, kBlockHeaderSize + 0x00, freeBytes - kBlockHeaderSize, 4);
  put(block, kBlockHeaderSize + 0x04, 0xFFFF, 2);
  put(block, kBlockHeaderSize + 0x06, 0xFFFF, 2);
  put(block, kBlockHeaderSize + 0x08, 0xFFFFFFFF, 4);
  registry += block;
  put(registry, kBlockCountField, blocks + 1u, 2);
  put(registry, kHeaderFlagsField, get16(registry, kHeaderFlagsField) & ~kChecksumValid, 2);
  return registry;
}

}  // namespace simulators_test
