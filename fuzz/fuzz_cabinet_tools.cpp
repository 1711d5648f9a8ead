// What the cabinet tools read from outside: cabinets and SZDD-compressed
// files (listed, then every member extracted onto a small machine) and the
// registry checker's scanreg.ini.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/cabinet/cabinet_read.h"
#include "platform/cabinet/compressed_file.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/simulators/checker_settings.h"

namespace {

// Members larger than this are not extracted, so one input stays quick.
constexpr uint32_t kLargestMember = 1 << 20;

platform::Machine& fuzzMachine() {
  static std::unique_ptr<platform::Machine> machine = [] {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("fuzz_cabinet_tools." + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "c");
    platform::MachineConfig config;
    config.version = platform::WindowsVersion::Win98;
    config.running = false;
    config.windowsDirectory = "C:\\WINDOWS";
    config.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    config.programDirectory = "C:\\CORVASTA";
    platform::DriveConfig drive;
    drive.folder = dir / "c";
    config.drives = {drive};
    std::ofstream(dir / "machine.ini") << platform::formatMachineConfig(config, dir);
    return platform::Machine::open(dir);
  }();
  return *machine;
}

void extractAll(platform::FileSystem& files, const std::string& bytes) {
  platform::CabinetArchive archive(files, bytes);
  for (size_t index = 0; index < archive.entries().size(); ++index) {
    const platform::CabinetEntry& entry = archive.entries()[index];
    if (entry.size > kLargestMember) continue;
    platform::flatEntryName(entry);
    platform::extractedAttributes(entry);
    try {
      archive.extract(index, "C:\\MEMBER.BIN");
    } catch (const platform::CabinetReadError&) {
      // A damaged member; the others may still be whole.
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  platform::parseCheckerSettings(bytes);
  platform::FileSystem files(fuzzMachine());
  try {
    if (platform::isSzddData(bytes)) {
      if (platform::readSzddHeader(files, bytes).length <= kLargestMember)
        platform::expandSzdd(files, bytes, "C:\\EXPANDED.BIN");
    } else {
      extractAll(files, bytes);
    }
  } catch (const corvasta::Error&) {
    // Refused input is the expected outcome for most mutations.
  }
  return 0;
}
