// GetFileVersionInfoSize, GetFileVersionInfo and VerQueryValue over the
// machine's files: the samples' Registry Editors, programs on other drives,
// and files that are not there or not programs.
#include "platform/version/file_version.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/sample/windows_binaries.h"
#include "platform/version/fixed_file_info.h"
#include "tests/platform_version/version_image.h"
#include "tests/support/machine_builder.h"
#include "tests/support/registry_editor_file.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using namespace platform::version;
using testing_support::MachineBuilder;
using testing_support::TempDir;

namespace {

// What the RegPack asks: the fourth part of the file version, or nothing.
std::optional<uint16_t> buildOf(FileSystem& files, const std::string& path, WinError& error) {
  const uint32_t size = getFileVersionInfoSize(files, path, error);
  if (size == 0) return std::nullopt;
  std::string block;
  if (!getFileVersionInfo(files, path, size, block, error)) return std::nullopt;
  EXPECT_EQ(block.size(), size);
  std::string value;
  if (!verQueryValue(block, "\\", value)) return std::nullopt;
  std::optional<FixedFileInfo> fixed = decodeFixedFileInfo(value);
  if (!fixed) return std::nullopt;
  return static_cast<uint16_t>(fixed->fileVersion.ls() & 0xFFFF);
}

TEST(FileVersion, SampleRegistryEditorsCarryTheirBuild) {
  const std::pair<WindowsVersion, FileVersion> editions[] = {
      {WindowsVersion::Win95, {4, 0, 0, 1111}},
      {WindowsVersion::Win98, {4, 10, 0, 1998}},
      {WindowsVersion::WinMe, {4, 90, 0, 3000}}};
  for (const auto& [windows, expected] : editions) {
    TempDir dir;
    auto machine = MachineBuilder::sample(windows).build(dir.path());
    FileSystem files(*machine);
    const std::string editor = machine->config().windowsDirectory + "\\regedit.exe";
    WinError error = WinError::Success;
    EXPECT_EQ(buildOf(files, editor, error), expected.revision);
    std::string block;
    ASSERT_TRUE(getFileVersionInfo(files, editor, 4096, block, error));
    std::string text;
    ASSERT_TRUE(verQueryValue(block, "\\StringFileInfo\\040904E4\\FileVersion", text));
    EXPECT_EQ(text, expected.text());
    EXPECT_TRUE(verQueryValue(block, "\\StringFileInfo\\040904E4\\FileDescription", text));
    EXPECT_EQ(text, "Registry Editor");
    EXPECT_FALSE(verQueryValue(block, "\\StringFileInfo\\040904E4\\PrivateBuild", text));
  }
}

TEST(FileVersion, AnyBuildOnAnyDrive) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win98)
                     .installationFolders()
                     .fixedDrive('E')
                     .removableDrive('A', {"disk1"})
                     .build(dir.path());
  FileSystem files(*machine);
  testing_support::writeRegistryEditor(files, {4, 0, 0, 1110});
  // A partition of its own (a mounted Windows partition is one) and a diskette.
  files.createDirectory("E:\\WINDOWS");
  testing_support::writeRegistryEditor(files, {4, 10, 0, 2222}, "E:\\WINDOWS\\REGEDIT.EXE");
  testing_support::writeRegistryEditor(files, {4, 0, 0, 1111}, "A:\\REGEDIT.EXE");
  WinError error = WinError::Success;
  EXPECT_EQ(buildOf(files, "C:\\WINDOWS\\REGEDIT.EXE", error), 1110);
  EXPECT_EQ(buildOf(files, "E:\\windows\\regedit.exe", error), 2222);
  EXPECT_EQ(buildOf(files, "A:\\REGEDIT.EXE", error), 1111);
  EXPECT_EQ(error, WinError::Success);
}

TEST(FileVersion, FailuresGiveWindowsErrorCodes) {
  TempDir dir;
  version_test::Image noVersion = version_test::registryEditor();
  noVersion.put32(noVersion.resources + 16, 3);
  auto machine =
      MachineBuilder(WindowsVersion::Win98)
          .installationFolders()
          .file("C:\\WINDOWS\\WIN.INI", "[windows]\r\n")
          .file("C:\\WINDOWS\\ICONS.EXE", noVersion.bytes)
          .file("C:\\WINDOWS\\HALF.EXE", version_test::registryEditor().bytes.substr(0, 700))
          .file("C:\\WINDOWS\\HELD.EXE", version_test::registryEditor().bytes)
          .heldOpen("C:\\WINDOWS\\HELD.EXE")
          .build(dir.path());
  FileSystem files(*machine);
  auto sizeError = [&](const std::string& path) {
    WinError error = WinError::Success;
    EXPECT_EQ(getFileVersionInfoSize(files, path, error), 0u) << path;
    std::string block = "untouched";
    EXPECT_FALSE(getFileVersionInfo(files, path, 100, block, error)) << path;
    EXPECT_EQ(block, "untouched");
    return error;
  };
  EXPECT_EQ(sizeError("C:\\WINDOWS\\MISSING.EXE"), WinError::FileNotFound);
  EXPECT_EQ(sizeError("C:\\NOWHERE\\REGEDIT.EXE"), WinError::PathNotFound);
  EXPECT_EQ(sizeError("C:\\WINDOWS\\WIN.INI"), kErrorBadExeFormat);
  EXPECT_EQ(sizeError("C:\\WINDOWS\\ICONS.EXE"), kErrorResourceTypeNotFound);
  EXPECT_EQ(sizeError("C:\\WINDOWS\\HALF.EXE"), kErrorBadExeFormat);
  EXPECT_EQ(sizeError("C:\\WINDOWS\\HELD.EXE"), WinError::SharingViolation);
  EXPECT_EQ(sizeError("C:\\WINDOWS"), WinError::AccessDenied);
}

TEST(FileVersion, ShortBufferGetsTheBlocksBeginning) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win98).installationFolders().build(dir.path());
  FileSystem files(*machine);
  testing_support::writeRegistryEditor(files, {4, 10, 0, 1998});
  const std::string editor = "C:\\WINDOWS\\REGEDIT.EXE";
  WinError error = WinError::Success;
  std::string whole;
  ASSERT_TRUE(getFileVersionInfo(files, editor, 0xFFFF, whole, error));
  std::string part;
  ASSERT_TRUE(getFileVersionInfo(files, editor, 100, part, error));
  EXPECT_EQ(part, whole.substr(0, 100));
  // What was cut off is no value; what the beginning holds is still read.
  std::string value;
  EXPECT_FALSE(verQueryValue(part, "\\StringFileInfo\\040904E4\\FileVersion", value));
  EXPECT_FALSE(verQueryValue("", "\\", value));
}

}  // namespace
