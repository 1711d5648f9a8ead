#pragma once
// Reading one string value of the machine's registry, as the program reads
// the shell folders and the current user's name.

#include <optional>
#include <string>
#include <string_view>

#include "platform/live_registry/live_registry.h"

namespace corvasta {

// The value's text (up to its first NUL), or nothing when the key cannot be
// opened or the value is missing or not a string.
std::optional<std::string> readRegistryString(platform::LiveRegistry& registry, platform::HKEY root,
                                              std::string_view key, std::string_view value);

}  // namespace corvasta
