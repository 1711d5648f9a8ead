#include "tests/platform_sample_registry/sample_registry_test_support.h"

namespace sample_registry_test {

using namespace platform;

std::unique_ptr<SampleRegistry> openSample(WindowsVersion version,
                                           const sample::SampleOptions& options) {
  auto sample = std::make_unique<SampleRegistry>();
  sample::createSampleMachine(sample->temp / "machine", version, options);
  sample->machine = Machine::open(sample->temp / "machine");
  sample->files = std::make_unique<FileSystem>(*sample->machine);
  sample->registry = std::make_unique<LiveRegistry>(*sample->machine, *sample->files);
  return sample;
}

std::string queryString(LiveRegistry& registry, HKEY root, const std::string& key,
                        const std::string& value) {
  HKEY handle = 0;
  if (registry.openKeyEx(root, key, 0, KEY_READ, handle) != WinError::Success) return "<missing>";
  uint32_t type = 0;
  std::vector<uint8_t> data;
  WinError error = registry.queryValueEx(handle, value, type, data);
  registry.closeKey(handle);
  if (error != WinError::Success) return "<missing>";
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

std::vector<std::string> valueNames(LiveRegistry& registry, HKEY root, const std::string& key) {
  std::vector<std::string> names;
  HKEY handle = 0;
  if (registry.openKeyEx(root, key, 0, KEY_READ, handle) != WinError::Success) return names;
  registry.enumValueNames(handle, names);
  registry.closeKey(handle);
  return names;
}

}  // namespace sample_registry_test
