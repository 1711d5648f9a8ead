#include "tests/support/registry_file.h"

#include <string>

#include "platform/host/host_files.h"
#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_read.h"

namespace testing_support {
namespace {

std::string contentOf(const std::filesystem::path& file) {
  auto bytes = platform::host::readFile(file);
  if (!bytes)
    throw platform::registry::RegistryFormatError("cannot read the registry file " + file.string());
  return *bytes;
}

const uint8_t* dataOf(const std::string& bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

}  // namespace

platform::registry::RegistryTree readWin9xRegistryFile(const std::filesystem::path& file) {
  const std::string bytes = contentOf(file);
  return platform::registry::readWin9xRegistry(dataOf(bytes), bytes.size());
}

platform::registry::RegistryTree readNtHiveFile(const std::filesystem::path& file,
                                                platform::registry::NtHiveInfo* info) {
  const std::string bytes = contentOf(file);
  return platform::registry::readNtHive(dataOf(bytes), bytes.size(), info);
}

}  // namespace testing_support
