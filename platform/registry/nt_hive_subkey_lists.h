#pragma once
// Writing the subkey list of a key: one "lf" (hive 1.3/1.4) or "lh" (1.5)
// leaf, or for large keys several leaves under an "ri" index root. The
// subkeys must come sorted by upper-cased name, the order the kernel's
// binary search expects.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/nt_hive_bin_writer.h"

namespace platform::registry::nt_hive {

struct ListedSubkey {
  uint32_t cellOffset;
  std::u16string name;  // as stored, not upper-cased
};

// Most entries one leaf gets; the kernel keeps a leaf inside one 4 KiB bin,
// which holds at most 507 "lf"/"lh" entries.
constexpr size_t kMaxLeafEntries = 500;

// Writes the list cells and returns the cell offset the key refers to.
uint32_t writeSubkeyList(HiveBinWriter& bins, const std::vector<ListedSubkey>& sorted,
                         bool hashLeaves);

}  // namespace platform::registry::nt_hive
