#include "archive/zip_crc32.h"

#include <libdeflate.h>

namespace archive {

uint32_t crc32Update(uint32_t crc, const void* data, size_t length) {
  return libdeflate_crc32(crc, data, length);
}

}  // namespace archive
