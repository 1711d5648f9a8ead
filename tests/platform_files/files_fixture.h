#pragma once
// A test machine with a FileSystem on it, and helpers to write files through it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/core/errors.h"
#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace files_test {

// Runs `call` and returns the Win32 code of the OsError it throws
// (Success when it throws none).
template <typename Call>
platform::WinError errorOf(Call&& call) {
  try {
    call();
  } catch (const platform::OsError& error) {
    return error.code();
  }
  return platform::WinError::Success;
}

class FilesTest : public ::testing::Test {
 protected:
  void open(const testing_support::MachineBuilder& builder,
            platform::FileSystemOptions options = {}) {
    files.reset();
    machine = builder.build(dir.path());
    files = std::make_unique<platform::FileSystem>(*machine, options);
  }
  // A new Machine and FileSystem on the same folder, as after a restart.
  void reopen(platform::FileSystemOptions options = {}) {
    files.reset();
    machine = platform::Machine::open(dir.path());
    files = std::make_unique<platform::FileSystem>(*machine, options);
  }
  void write(const std::string& path, const std::string& bytes) {
    auto handle = files->createFile(path, platform::kGenericWrite, 0,
                                    platform::CreationDisposition::CreateAlways);
    handle.write(bytes.data(), bytes.size());
  }
  std::string read(const std::string& path) {
    auto handle = files->createFile(path, platform::kGenericRead, platform::kFileShareRead,
                                    platform::CreationDisposition::OpenExisting);
    std::string bytes(handle.size(), '\0');
    bytes.resize(handle.read(bytes.data(), bytes.size()));
    return bytes;
  }
  std::filesystem::path host(char letter = 'C') const {
    return testing_support::driveFolder(*machine, letter);
  }

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
};

}  // namespace files_test
