#include "tests/platform_sample/sample_test_support.h"

#include <filesystem>

namespace sample_test {

std::unique_ptr<CreatedMachine> createMachine(platform::WindowsVersion version,
                                              const platform::sample::SampleOptions& options) {
  auto created = std::make_unique<CreatedMachine>();
  platform::sample::createSampleMachine(created->temp / "machine", version, options);
  created->machine = platform::Machine::open(created->temp / "machine");
  return created;
}

::testing::AssertionResult isFile(const platform::Machine& machine, const std::string& winPath) {
  platform::HostLocation location = machine.resolve(winPath);
  if (!location.exists) return ::testing::AssertionFailure() << winPath << " does not exist";
  if (!std::filesystem::is_regular_file(location.host))
    return ::testing::AssertionFailure() << winPath << " is not a file";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult isFolder(const platform::Machine& machine, const std::string& winPath) {
  platform::HostLocation location = machine.resolve(winPath);
  if (!location.exists) return ::testing::AssertionFailure() << winPath << " does not exist";
  if (!std::filesystem::is_directory(location.host))
    return ::testing::AssertionFailure() << winPath << " is not a folder";
  return ::testing::AssertionSuccess();
}

}  // namespace sample_test
