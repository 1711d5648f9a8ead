#include "tests/support/registry_values.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace testing_support {
namespace {

std::runtime_error refused(const std::string& what, const std::string& key,
                           platform::WinError error) {
  return std::runtime_error(what + " " + key + " refused with error " +
                            std::to_string(static_cast<unsigned>(error)));
}

}  // namespace

void setRegistryString(platform::LiveRegistry& registry, platform::HKEY root,
                       const std::string& key, const std::string& name, const std::string& value) {
  platform::HKEY handle = 0;
  platform::WinError error = registry.createKeyEx(root, key, 0, platform::KEY_ALL_ACCESS, handle);
  if (error != platform::WinError::Success) throw refused("creating the key", key, error);
  std::vector<uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  error = registry.setValueEx(handle, name, 1, data);
  registry.closeKey(handle);
  if (error != platform::WinError::Success) throw refused("setting " + name + " of", key, error);
}

void deleteRegistryValue(platform::LiveRegistry& registry, platform::HKEY root,
                         const std::string& key, const std::string& name) {
  platform::HKEY handle = 0;
  platform::WinError error = registry.openKeyEx(root, key, 0, platform::KEY_ALL_ACCESS, handle);
  if (error != platform::WinError::Success) throw refused("opening the key", key, error);
  error = registry.deleteValue(handle, name);
  registry.closeKey(handle);
  if (error != platform::WinError::Success) throw refused("deleting " + name + " of", key, error);
}

}  // namespace testing_support
