#include "tests/platform_version/version_image.h"

#include "platform/sample/windows_binaries.h"

namespace version_test {

uint32_t Image::u32(size_t at) const {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

void Image::put16(size_t at, uint16_t value) {
  bytes.at(at) = static_cast<char>(value & 0xFF);
  bytes.at(at + 1) = static_cast<char>(value >> 8);
}

void Image::put32(size_t at, uint32_t value) {
  put16(at, static_cast<uint16_t>(value & 0xFFFF));
  put16(at + 2, static_cast<uint16_t>(value >> 16));
}

Image registryEditor(platform::version::FileVersion version) {
  Image image;
  image.bytes = platform::sample::registryEditorImage(version);
  image.peOffset = image.u32(0x3C);
  // One section; its header follows the 224-byte optional header.
  const size_t section = image.peOffset + 24 + 224;
  image.resources = image.u32(section + 20);
  image.dataEntry = image.resources + 72;
  image.block = image.resources + (image.u32(image.dataEntry) - image.u32(section + 12));
  return image;
}

}  // namespace version_test
