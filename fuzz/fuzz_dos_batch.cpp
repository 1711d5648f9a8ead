// Batch files run by the MS-DOS interpreter at the start of Windows: any
// bytes must run to an end (reported failures only), never crash or hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/boot/dos_session.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/system/journal.h"

namespace {

namespace fs = std::filesystem;

// One small Windows 98 machine in a temporary folder for the whole run.
platform::Machine& fuzzMachine() {
  static std::unique_ptr<platform::Machine> machine = [] {
    fs::path dir = fs::temp_directory_path() / ("fuzz_dos_batch." + std::to_string(getpid()));
    fs::create_directories(dir / "drives" / "C" / "WINDOWS");
    platform::MachineConfig config;
    config.version = platform::WindowsVersion::Win98;
    config.windowsDirectory = "C:\\WINDOWS";
    config.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    config.programDirectory = "C:\\WINDOWS";
    platform::DriveConfig drive;
    drive.folder = dir / "drives" / "C";
    config.drives.push_back(drive);
    std::ofstream(dir / "machine.ini") << platform::formatMachineConfig(config, dir);
    return platform::Machine::open(dir);
  }();
  return *machine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::Machine& machine = fuzzMachine();
  fs::path drive = machine.drive('C')->config().folder;
  std::ofstream(drive / "FUZZ.BAT", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  std::error_code ignored;
  fs::remove(platform::journalFile(machine), ignored);
  platform::FileSystem files(machine);
  std::ostringstream screen;
  platform::boot::BootLog log(machine, screen);
  platform::boot::DosSession session(machine, files, log);
  session.runBatch("C:\\FUZZ.BAT");
  return 0;
}
