#pragma once
// A small PE image with a version resource and the offsets of its parts, for
// tests that damage one field at a time.

#include <cstdint>
#include <string>

#include "platform/version/fixed_file_info.h"

namespace version_test {

struct Image {
  std::string bytes;
  size_t peOffset = 0;   // "PE\0\0"
  size_t resources = 0;  // file offset of the .rsrc section
  size_t dataEntry = 0;  // IMAGE_RESOURCE_DATA_ENTRY of the version resource
  size_t block = 0;      // the VS_VERSIONINFO block

  uint32_t u32(size_t at) const;
  void put16(size_t at, uint16_t value);
  void put32(size_t at, uint32_t value);
};

Image registryEditor(platform::version::FileVersion version = {4, 10, 0, 1998});

}  // namespace version_test
