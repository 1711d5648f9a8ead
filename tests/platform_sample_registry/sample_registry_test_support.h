#pragma once
// A sample machine made for a registry test, and reading its registry the
// way the program does.

#include <memory>
#include <string>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/temp_dir.h"

namespace sample_registry_test {

struct SampleRegistry {
  testing_support::TempDir temp;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
};

std::unique_ptr<SampleRegistry> openSample(platform::WindowsVersion version,
                                           const platform::sample::SampleOptions& options = {});

// The ANSI text of a string value; "<missing>" when key or value cannot be
// read.
std::string queryString(platform::LiveRegistry& registry, platform::HKEY root,
                        const std::string& key, const std::string& value);

// The value names of a key, empty when it cannot be opened.
std::vector<std::string> valueNames(platform::LiveRegistry& registry, platform::HKEY root,
                                    const std::string& key);

inline constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace sample_registry_test
