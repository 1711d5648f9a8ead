#include <cctype>
#include <iostream>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/scsi/disc_files.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

using platform::scsi::Disc;
using platform::scsi::DiscFiles;

const platform::Drive& cdromDrive(const platform::Machine& machine, const std::string& argument) {
  char letter = parseDriveArgument(argument);
  const platform::Drive* drive = machine.drive(letter);
  if (!drive) throw corvasta::Error(std::string("drive ") + letter + ": is not on this machine");
  if (drive->type() != platform::DriveType::CdRom)
    throw corvasta::Error(std::string("drive ") + letter + ": is not a cdrom drive");
  return *drive;
}

bool allDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

int runNew(const platform::Drive& drive, const std::vector<std::string>& rest) {
  if (rest.size() < 2) throw UsageError("missing arguments");
  if (rest.size() > 3) throw UsageError("unexpected argument '" + rest[3] + "'");
  const std::string& name = rest[0];
  bool known = false;
  for (const std::string& medium : drive.config().media) known = known || medium == name;
  if (!known)
    throw corvasta::Error(std::string("drive ") + drive.letter() + ": has no medium named '" +
                          name + "' (machine.ini Media=)");
  auto kind = platform::scsi::parseDiscKind(rest[1]);
  if (!kind)
    throw UsageError("unknown disc kind '" + rest[1] +
                     "' (expected cd-rom, cd-r, cd-rw, dvd-r, dvd+r or dvd+rw)");
  std::optional<uint32_t> sectors;
  std::optional<std::filesystem::path> image;
  if (rest.size() == 3 && allDigits(rest[2]) && *kind != platform::scsi::DiscKind::CdRom) {
    unsigned long long value = std::stoull(rest[2]);
    if (value == 0 || value > 0xFFFFFFFFull)
      throw UsageError("the capacity must be 1 to 4294967295 sectors");
    sectors = static_cast<uint32_t>(value);
  } else if (rest.size() == 3) {
    image = rest[2];
  }
  DiscFiles files(drive.config().folder / name);
  Disc disc = platform::scsi::createDisc(files, *kind, sectors, image);
  std::cout << "disc " << name << ": " << platform::scsi::discKindName(disc.kind) << ", "
            << disc.capacity << " sectors, " << platform::scsi::discStatusName(disc.status) << "\n";
  return 0;
}

int runInfo(const platform::Drive& drive) {
  std::string medium = drive.insertedMedium();
  if (medium.empty())
    throw corvasta::Error(std::string("drive ") + drive.letter() + ": holds no disc");
  DiscFiles files(drive.config().folder / medium);
  if (!files.exists())
    throw corvasta::Error(std::string("drive ") + drive.letter() + ": the tray is empty (no " +
                          files.tocPath().filename().string() + " yet)");
  Disc disc = files.load();
  std::cout << "kind " << platform::scsi::discKindName(disc.kind) << "\n"
            << "status " << platform::scsi::discStatusName(disc.status) << "\n";
  for (size_t i = 0; i < disc.sessions.size(); ++i)
    std::cout << "session " << i + 1 << " start " << disc.sessions[i].start << " sectors "
              << disc.sessions[i].sectors << "\n";
  return 0;
}

int runDisc(const std::vector<std::string>& args) {
  if (args.size() < 3) throw UsageError("missing arguments");
  auto machine = platform::Machine::open(args[0]);
  const platform::Drive& drive = cdromDrive(*machine, args[1]);
  std::vector<std::string> rest(args.begin() + 3, args.end());
  if (args[2] == "new") return runNew(drive, rest);
  if (args[2] == "info") {
    requireArgumentCount(rest, 0);
    return runInfo(drive);
  }
  throw UsageError("unknown disc action '" + args[2] + "' (expected new or info)");
}

}  // namespace

ToolCommand discCommand() {
  return {"disc", "DIR X: new NAME KIND [SECTORS|IMAGE] | DIR X: info",
          "Makes a blank disc NAME (cd-r, cd-rw, dvd-r, dvd+r, dvd+rw; a cd-rom pressed from the "
          "host file IMAGE) for the simulated drive X:, or shows the disc in it: kind, status "
          "and sessions.",
          runDisc};
}

}  // namespace tool
