#pragma once
// A sample machine in a temporary folder for fuzzers that need one, made once
// per process and removed at its end.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"

namespace fuzz_support {

struct ScratchMachine {
  ScratchMachine(const std::string& name, platform::WindowsVersion version) {
    std::string pattern = "/tmp/" + name + ".XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    machine = testing_support::MachineBuilder(version).build(folder / "m");
    files = std::make_unique<platform::FileSystem>(*machine);
  }
  ~ScratchMachine() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  ScratchMachine(const ScratchMachine&) = delete;
  ScratchMachine& operator=(const ScratchMachine&) = delete;

  std::filesystem::path folder;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
};

}  // namespace fuzz_support
