// Test machines as MachineBuilder writes them: drives and media, what
// machine.ini says, users and their registry files, and contents.

#include "tests/support/machine_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/files/file_system.h"
#include "platform/live_registry/registry_mounts.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

using platform::DriveType;
using platform::WindowsVersion;

TEST(MachineBuilder, SmallMachineHasItsDrivesAndMediaAndNothingElse) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win2000)
                     .removableDrive('A', {"disk1", "disk2"})
                     .fixedDrive('D', 600'000)
                     .cdromDrive('E')
                     .build(dir.path());
  platform::FileSystem files(*machine);
  EXPECT_EQ(files.getLogicalDriveStrings(),
            (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "E:\\"}));
  EXPECT_EQ(files.getDriveType("A:\\"), DriveType::Removable);
  EXPECT_EQ(files.getDriveType("E:\\"), DriveType::CdRom);
  EXPECT_EQ(machine->drive('A')->insertedMedium(), "disk1");
  EXPECT_EQ(files.getDiskFreeSpaceEx("A:\\").totalBytes, kDisketteBytes);
  EXPECT_EQ(files.getDiskFreeSpaceEx("D:\\").totalBytes, 600'000u);
  EXPECT_EQ(machine->config().windowsDirectory, "C:\\WINNT");
  EXPECT_TRUE(std::filesystem::is_empty(driveFolder(*machine, 'C')));
}

TEST(MachineBuilder, MachineIniTakesEnvironmentHeldFilesAndOtherChanges) {
  TempDir dir;
  auto machine =
      MachineBuilder(WindowsVersion::Win98)
          .environment("TEMP", "C:\\TMP")
          .heldOpen("C:\\Data\\Letter.doc")
          .userName("Bob")
          .configure([](platform::MachineConfig& config) { config.shortDate = "dd.MM.yyyy"; })
          .build(dir.path());
  const platform::MachineConfig& config = machine->config();
  EXPECT_EQ(config.environment.at("TEMP"), "C:\\TMP");
  EXPECT_EQ(config.openFiles, std::vector<std::string>{"C:\\Data\\Letter.doc"});
  EXPECT_EQ(config.userName, "Bob");
  EXPECT_EQ(config.shortDate, "dd.MM.yyyy");
  EXPECT_FALSE(std::filesystem::exists(driveFolder(*machine, 'C') / "WINDOWS"));
}

TEST(MachineBuilder, FilesFoldersAndSettingsLieOnTheDrives) {
  TempDir dir;
  auto machine = MachineBuilder()
                     .folder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp")
                     .file("C:\\AUTOEXEC.BAT", "@echo off\r\n")
                     .fileOfSize("C:\\DATA\\big.bin", 5000)
                     .setting("DefaultDirectories", "Temp", "C:\\TMP\\")
                     .build(dir.path());
  platform::FileSystem files(*machine);
  EXPECT_TRUE(files.directoryExists("C:\\WINDOWS\\START MENU\\PROGRAMS\\STARTUP"));
  EXPECT_EQ(readFile(machine->resolve("C:\\autoexec.bat").host), "@echo off\r\n");
  EXPECT_EQ(std::filesystem::file_size(machine->resolve("C:\\DATA\\big.bin").host), 5000u);
  EXPECT_EQ(readFile(machine->resolve("C:\\Program Files\\Corvasta\\vastel.ini").host),
            "[DefaultDirectories]\r\nTemp=C:\\TMP\\\r\n");
}

TEST(MachineBuilder, Windows98ProfileIsTheCurrentUsersRegistry) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win98).userProfile("Alice").build(dir.path());
  std::vector<std::string> mounts;
  for (const platform::HiveMount& hive : platform::loadHives(*machine))
    mounts.push_back(hive.mountPath);
  EXPECT_EQ(mounts,
            (std::vector<std::string>{"HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_USERS\\Alice"}));
}

TEST(MachineBuilder, NtProfileHoldsAHive) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinXp).userProfile("Alice").build(dir.path());
  EXPECT_EQ(machine->config().userName, "Alice");
  const std::string hive =
      readFile(machine->resolve("C:\\Documents and Settings\\Alice\\NTUSER.DAT").host);
  EXPECT_EQ(hive.substr(0, 4), "regf");
}

TEST(MachineBuilder, RegistryValuesNeedTheFileTheirKeyLivesIn) {
  TempDir small9x;
  auto machine = MachineBuilder(WindowsVersion::WinMe)
                     .registryString(platform::HKEY_LOCAL_MACHINE, "Software\\Test", "Name", "9x")
                     .build(small9x.path());
  EXPECT_TRUE(std::filesystem::exists(machine->resolve("C:\\WINDOWS\\SYSTEM.DAT").host));

  // A small NT machine has no hives to hold the value.
  TempDir smallNt;
  EXPECT_THROW(MachineBuilder(WindowsVersion::WinXp)
                   .registryString(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Test", "Name", "nt")
                   .build(smallNt.path()),
               std::runtime_error);
}

TEST(MachineBuilder, SamplesTakeUsersButNoProfilesOfTheirOwn) {
  TempDir dir;
  EXPECT_THROW(MachineBuilder::sample(WindowsVersion::WinMe).userProfile("Bob").build(dir / "m"),
               std::runtime_error);
  auto machine = MachineBuilder::sample(WindowsVersion::Win98, 2).build(dir / "sample");
  EXPECT_TRUE(std::filesystem::exists(
      machine->resolve("C:\\WINDOWS\\Profiles\\" + machine->config().userName + "\\user.dat")
          .host));
}

}  // namespace
}  // namespace testing_support
