#include "tests/support/test_machine.h"

#include "tests/support/temp_dir.h"

namespace testing_support {

namespace fs = std::filesystem;

std::unique_ptr<platform::Machine> makeTestMachine(
    const fs::path& dir, platform::WindowsVersion version, std::vector<TestDrive> drives,
    const std::function<void(platform::MachineConfig&)>& adjust) {
  platform::MachineConfig config;
  config.version = version;
  bool nt = platform::isNt(version);
  config.windowsDirectory =
      !nt || version == platform::WindowsVersion::WinXp ? "C:\\WINDOWS" : "C:\\WINNT";
  config.systemDirectory = config.windowsDirectory + (nt ? "\\system32" : "\\SYSTEM");
  config.programDirectory = "C:\\Program Files\\Corvasta";
  config.privileges = {"SeBackupPrivilege", "SeRestorePrivilege", "SeShutdownPrivilege"};
  for (const TestDrive& drive : drives) {
    platform::DriveConfig d;
    d.letter = drive.letter;
    d.type = drive.type;
    d.folder = dir / "drives" / std::string(1, drive.letter);
    d.capacity = drive.capacity;
    d.clusterSize = drive.capacity && *drive.capacity <= 2949120 ? 512 : 4096;
    d.fileSystem = drive.type == platform::DriveType::CdRom ? "CDFS" : "FAT32";
    d.serial = 0x12340000u + static_cast<unsigned char>(drive.letter);
    d.media = drive.media;
    d.inserted = drive.media.empty() ? "" : drive.media.front();
    if (drive.media.empty()) fs::create_directories(d.folder);
    for (const auto& medium : drive.media) fs::create_directories(d.folder / medium);
    config.drives.push_back(d);
  }
  if (adjust) adjust(config);
  writeFile(dir / "machine.ini", platform::formatMachineConfig(config, dir));
  return platform::Machine::open(dir);
}

}  // namespace testing_support
