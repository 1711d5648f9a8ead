// Windows 9x registry files from untrusted sources: the reader must refuse
// damage with RegistryFormatError and never read outside the buffer. Whatever
// it accepts must also survive writing and reading back unchanged, unless the
// writer refuses the tree with its own error.
#include <cstdint>
#include <cstdlib>

#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"

using namespace platform::registry;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RegistryTree tree;
  try {
    tree = readWin9xRegistry(data, size);
  } catch (const RegistryFormatError&) {
    return 0;
  }
  std::vector<uint8_t> rewritten;
  try {
    rewritten = writeWin9xRegistry(tree);
  } catch (const Win9xRegistryWriteError&) {
    return 0;
  }
  RegistryTree back = readWin9xRegistry(rewritten.data(), rewritten.size());
  if (!describeDifference(tree.root, back.root).empty()) std::abort();
  return 0;
}
