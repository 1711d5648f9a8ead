#include "app/core/RegistryString.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace corvasta {
namespace {

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;

}  // namespace

std::optional<std::string> readRegistryString(platform::LiveRegistry& registry, platform::HKEY root,
                                              std::string_view key, std::string_view value) {
  platform::HKEY handle = 0;
  if (registry.openKeyEx(root, key, 0, platform::KEY_QUERY_VALUE, handle) !=
      platform::WinError::Success)
    return std::nullopt;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const platform::WinError result = registry.queryValueEx(handle, value, type, data);
  registry.closeKey(handle);
  if (result != platform::WinError::Success || (type != kRegSz && type != kRegExpandSz))
    return std::nullopt;
  const auto end = std::find(data.begin(), data.end(), uint8_t{0});
  return std::string(data.begin(), end);
}

}  // namespace corvasta
