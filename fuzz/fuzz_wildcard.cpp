// File-name masks from settings files and the command line: any name and mask
// must match or not in bounded time, without a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/files/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find('\n');
  std::string_view name = input.substr(0, split);
  std::string_view mask = split == std::string_view::npos ? "*" : input.substr(split + 1);
  if (name.size() > 300 || mask.size() > 300) return 0;  // longer than any Windows path
  platform::matchesWildcard(name, mask);
  return 0;
}
