#include "platform/registry/nt_hive_subkey_lists.h"

#include <cstring>

#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_names.h"

namespace platform::registry::nt_hive {
namespace {

// The "lf" hint: the name's first four characters, one byte each. A character
// beyond Latin-1 cannot be hinted; a NUL first byte tells the kernel so.
uint32_t fastLeafHint(const std::u16string& name) {
  uint8_t hint[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < 4 && i < name.size(); ++i) {
    if (name[i] > 0xFF) {
      hint[0] = 0;
      break;
    }
    hint[i] = static_cast<uint8_t>(name[i]);
  }
  return readU32(hint);
}

uint32_t writeLeaf(HiveBinWriter& bins, const ListedSubkey* entries, size_t count,
                   bool hashLeaves) {
  uint32_t offset = bins.allocate(kListEntries + 8 * count);
  uint8_t* record = bins.record(offset);
  std::memcpy(record, hashLeaves ? "lh" : "lf", 2);
  writeU16(record + kListCount, static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    uint8_t* entry = record + kListEntries + 8 * i;
    writeU32(entry, entries[i].cellOffset);
    writeU32(entry + 4, hashLeaves ? nameHash(entries[i].name) : fastLeafHint(entries[i].name));
  }
  return offset;
}

}  // namespace

uint32_t writeSubkeyList(HiveBinWriter& bins, const std::vector<ListedSubkey>& sorted,
                         bool hashLeaves) {
  if (sorted.size() <= kMaxLeafEntries)
    return writeLeaf(bins, sorted.data(), sorted.size(), hashLeaves);
  // Leaves of (nearly) equal size, as few as the limit allows.
  size_t leafCount = (sorted.size() + kMaxLeafEntries - 1) / kMaxLeafEntries;
  std::vector<uint32_t> leaves;
  size_t done = 0;
  for (size_t i = 0; i < leafCount; ++i) {
    size_t count = (sorted.size() - done) / (leafCount - i);
    leaves.push_back(writeLeaf(bins, sorted.data() + done, count, hashLeaves));
    done += count;
  }
  uint32_t offset = bins.allocate(kListEntries + 4 * leaves.size());
  uint8_t* record = bins.record(offset);
  std::memcpy(record, "ri", 2);
  writeU16(record + kListCount, static_cast<uint16_t>(leaves.size()));
  for (size_t i = 0; i < leaves.size(); ++i) writeU32(record + kListEntries + 4 * i, leaves[i]);
  return offset;
}

}  // namespace platform::registry::nt_hive
