#include "platform/registry/win9x_registry_layout.h"

namespace platform::registry::win9x {

uint32_t nameHash(std::string_view ansiName) {
  uint32_t hash = 0;
  for (char c : ansiName) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) continue;
    hash += (byte >= 'a' && byte <= 'z') ? byte - 0x20u : byte;
  }
  return hash;
}

uint32_t sumOfDwords(const uint8_t* data, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i < size; i += 4) {
    uint32_t dword = 0;
    for (size_t b = 0; b < 4 && i + b < size; ++b) dword |= uint32_t{data[i + b]} << (8 * b);
    sum += dword;
  }
  return sum;
}

size_t keyEntrySlotAt(size_t offset) {
  size_t pageEnd = key_tree::kFirstPageSize;
  if (offset >= pageEnd)
    pageEnd +=
        ((offset - key_tree::kFirstPageSize) / key_tree::kPageSize + 1) * key_tree::kPageSize;
  return offset + key_entry::kSize <= pageEnd ? offset : pageEnd;
}

}  // namespace platform::registry::win9x
