// REGEDIT4 text: parsing, applying to a tree and exporting again must never
// crash; malformed text may only throw RegistryFormatError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/registry/regedit4.h"
#include "platform/registry/registry_error.h"

using namespace platform::registry;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    auto keys = parseRegedit4(text);
    for (StringEncoding encoding : {StringEncoding::Ansi, StringEncoding::Utf16le}) {
      RegistryTree tree;
      tree.stringEncoding = encoding;
      applyRegedit4(keys, "HKEY_LOCAL_MACHINE", tree);
      std::string again = exportRegedit4({{"HKEY_LOCAL_MACHINE", &tree.root, encoding}});
      parseRegedit4(again);  // our own output always parses
    }
  } catch (const RegistryFormatError&) {
  }
  return 0;
}
