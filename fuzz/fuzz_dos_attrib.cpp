// user.DOSATTRIB values written by other programs: the decoder may only reject
// them with DosAttribFormatError, and what it accepts survives our encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/files/dos_attrib_blob.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view blob(reinterpret_cast<const char*>(data), size);
  try {
    platform::StoredAttributes stored = platform::decodeDosAttrib(blob);
    if (!(platform::decodeDosAttrib(platform::encodeDosAttrib(stored)).attributes ==
          stored.attributes))
      std::abort();
  } catch (const platform::DosAttribFormatError&) {
  }
  return 0;
}
