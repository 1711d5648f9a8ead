#include <cstdio>
#include <iostream>
#include <sstream>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/system/restart.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

std::string serialText(uint32_t serial) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%04X", serial >> 16, serial & 0xFFFF);
  return text;
}

std::string driveLine(platform::Drive& drive) {
  std::ostringstream line;
  line << drive.letter() << ": " << platform::driveTypeKey(drive.type());
  const auto& media = drive.config().media;
  if (!drive.ready()) {
    line << "  " << drive.config().folder.string() << "  no medium";
    return line.str();
  }
  line << "  " << drive.hostRoot().string();
  if (!media.empty()) line << "  medium " << drive.insertedMedium();
  platform::VolumeInfo volume = drive.volume();
  platform::SpaceInfo space = drive.space();
  line << "  label \"" << volume.label << "\"  serial " << serialText(volume.serial) << "  "
       << volume.fileSystem << "  " << space.totalBytes << " bytes total  " << space.freeBytes
       << " bytes free";
  return line.str();
}

int runInfo(const std::vector<std::string>& args) {
  requireArgumentCount(args, 1);
  auto machine = platform::Machine::open(args[0]);
  const platform::MachineConfig& config = machine->config();
  std::cout << platform::windowsVersionName(config.version) << ", "
            << (config.running ? "running" : "offline") << (config.safeMode ? ", safe mode" : "")
            << "\n"
            << "Windows directory: " << config.windowsDirectory << "\n"
            << "System directory: " << config.systemDirectory << "\n"
            << "Program directory: " << config.programDirectory << "\n"
            << "User: " << config.userName << "\n"
            << "Computer: " << config.computerName << "\n";
  for (const auto& drive : machine->drives()) std::cout << driveLine(*drive) << "\n";
  std::cout << "Restart: " << (platform::restartRequested(*machine) ? "requested" : "not requested")
            << "\n";
  return 0;
}

}  // namespace

ToolCommand infoCommand() {
  return {"info", "DIR",
          "Shows the machine's Windows version and state, its directories and user, and one "
          "line per drive: type, host folder, medium, label, space; then whether a restart "
          "is requested.",
          runInfo};
}

}  // namespace tool
