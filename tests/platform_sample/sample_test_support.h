#pragma once
// Helpers for the sample machine tests: a created machine in a temporary
// folder, and checks through Windows paths.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/core/machine.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/temp_dir.h"

namespace sample_test {

struct CreatedMachine {
  testing_support::TempDir temp;
  std::unique_ptr<platform::Machine> machine;
};

std::unique_ptr<CreatedMachine> createMachine(platform::WindowsVersion version,
                                              const platform::sample::SampleOptions& options = {});

// Whether a Windows path names an existing file (not a folder) or folder.
::testing::AssertionResult isFile(const platform::Machine& machine, const std::string& winPath);
::testing::AssertionResult isFolder(const platform::Machine& machine, const std::string& winPath);

}  // namespace sample_test
