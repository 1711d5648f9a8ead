#pragma once
// Registry files read from a host path for tests: the file's bytes through the
// host layer, parsed by the format readers.

#include <filesystem>

#include "platform/registry/nt_hive_read.h"
#include "platform/registry/registry_tree.h"

namespace testing_support {

// Throw RegistryFormatError when the file cannot be read or is malformed.
platform::registry::RegistryTree readWin9xRegistryFile(const std::filesystem::path& file);
platform::registry::RegistryTree readNtHiveFile(const std::filesystem::path& file,
                                                platform::registry::NtHiveInfo* info = nullptr);

}  // namespace testing_support
