// Fuzz target for the NT hive reader: any input either reads or fails with
// RegistryFormatError. What reads is written again and must read back the
// same, which also exercises the writer on odd trees.

#include <cstdint>
#include <cstdlib>

#include "platform/core/errors.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/registry_error.h"

using namespace platform::registry;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RegistryTree tree;
  NtHiveInfo info;
  try {
    tree = readNtHive(data, size, &info);
  } catch (const RegistryFormatError&) {
    return 0;
  }
  NtHiveWriteOptions options;
  options.minorVersion = info.minorVersion <= 5 ? info.minorVersion : 5;
  std::vector<uint8_t> written;
  try {
    written = writeNtHive(tree, options);
  } catch (const corvasta::Error&) {
    return 0;  // a tree the format cannot hold, e.g. two subkeys of one name
  }
  RegistryTree again = readNtHive(written.data(), written.size());
  if (!describeDifference(tree.root, again.root).empty()) std::abort();
  return 0;
}
