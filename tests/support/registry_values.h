#pragma once
// Writing and removing registry values through the live registry, for tests
// that give a machine the values a real one would have. Both throw
// std::runtime_error naming the key when the registry refuses.

#include <string>

#include "platform/live_registry/live_registry.h"

namespace testing_support {

// A REG_SZ value; the key is created as needed.
void setRegistryString(platform::LiveRegistry& registry, platform::HKEY root,
                       const std::string& key, const std::string& name, const std::string& value);
void deleteRegistryValue(platform::LiveRegistry& registry, platform::HKEY root,
                         const std::string& key, const std::string& name);

}  // namespace testing_support
