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

namespace {

::testing::AssertionResult existsAs(const platform::Machine& machine, const std::string& winPath,
                                    bool folder) {
  platform::HostLocation location = machine.resolve(winPath);
  if (!location.exists) return ::testing::AssertionFailure() << winPath << " does not exist";
  bool isFolder = std::filesystem::is_directory(location.host);
  if (isFolder != folder)
    return ::testing::AssertionFailure()
           << winPath << (folder ? " is not a folder" : " is not a file");
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult isFile(const platform::Machine& machine, const std::string& winPath) {
  return existsAs(machine, winPath, false);
}

::testing::AssertionResult isFolder(const platform::Machine& machine, const std::string& winPath) {
  return existsAs(machine, winPath, true);
}

}  // namespace sample_test
