// Hive list entries as the registry holds them: a value name and its data,
// split at the first NUL byte of the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "backup/RegistryCapture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string valueName = input.substr(0, split);
  const std::string hivePath = split == std::string::npos ? std::string() : input.substr(split + 1);

  uint32_t root = 0;
  std::string keyPath;
  if (corvasta::hiveKeyOf(valueName, root, keyPath)) {
    // The key is the tail of the name and starts from the root.
    if (keyPath.empty() || keyPath.front() != '\\') std::abort();
    if (valueName.compare(valueName.size() - keyPath.size(), keyPath.size(), keyPath) != 0)
      std::abort();
  }
  const std::string location = corvasta::stripDevicePrefix(hivePath);
  if (location.size() > hivePath.size() ||
      hivePath.compare(hivePath.size() - location.size(), location.size(), location) != 0)
    std::abort();
  return 0;
}
