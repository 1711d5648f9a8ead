#pragma once
// Writing a key tree as a fresh, compact NT hive file, the way the registry's
// save-key operation writes one: no free space except the tail of each bin,
// subkey lists sorted, identical security descriptors shared, a clean base
// block with a valid checksum.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"

namespace platform::registry {

struct NtHiveWriteOptions {
  // Hive format 1.minorVersion: 3 is the standard format every NT from 4.0 on
  // loads ("lf" lists, values in one cell); 5 is the XP format ("lh" lists,
  // values over 16344 bytes in "db" segments), which NT 4 and 2000 cannot
  // load. 4 is 1.3 plus "db" big data.
  uint32_t minorVersion = 3;
  // Recorded in the base block (its last 31 characters), e.g.
  // "\SystemRoot\System32\Config\SOFTWARE".
  std::string fileName;
  // FILETIME of the base block, and of keys whose lastWrite is 0.
  uint64_t lastWrite = 0;
};

// Throws corvasta::Error when the tree cannot be stored: an unsupported
// version, names too long for the format, two subkeys or two values of one key
// with the same name, a tree beyond the 2 GB a hive can address.
std::vector<uint8_t> writeNtHive(const RegistryTree& tree, const NtHiveWriteOptions& options = {});

}  // namespace platform::registry
