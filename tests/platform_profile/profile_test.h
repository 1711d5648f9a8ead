#pragma once
// The machine of the profile tests: a Windows ME machine with a 1.44 MB
// diskette in A:, a plain drive C: and a CD drive D:.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/core/machine.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_machine.h"

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using platform::DriveType;
    machine = testing_support::makeTestMachine(dir.path(), platform::WindowsVersion::WinMe,
                                               {{'A', DriveType::Removable, 1457664, {}},
                                                {'C', DriveType::Fixed, std::nullopt, {}},
                                                {'D', DriveType::CdRom, std::nullopt, {}}});
    a = testing_support::driveFolder(*machine, 'A');
    c = testing_support::driveFolder(*machine, 'C');
    std::filesystem::create_directories(c / "WINDOWS");
  }

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::filesystem::path a, c;  // host folders of drives A: and C:
};
