#pragma once
// The machine of the profile tests: a Windows ME machine with a 1.44 MB
// diskette in A:, a plain drive C: and a CD drive D:.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/core/machine.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine = testing_support::MachineBuilder(platform::WindowsVersion::WinMe)
                  .removableDrive('A', {})
                  .cdromDrive('D')
                  .build(dir.path());
    a = testing_support::driveFolder(*machine, 'A');
    c = testing_support::driveFolder(*machine, 'C');
    std::filesystem::create_directories(c / "WINDOWS");
  }

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::filesystem::path a, c;  // host folders of drives A: and C:
};
