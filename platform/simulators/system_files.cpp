#include "platform/simulators/system_files.h"

#include "platform/core/codepage.h"
#include "platform/simulators/extracted_file.h"

namespace platform {
namespace {

constexpr uint32_t kBootFileAttributes = 0x07;  // read-only, hidden, system

// The root of the drive Windows boots from: the first fixed drive with
// IO.SYS, else the Windows drive.
std::string bootRoot(FileSystem& files) {
  const Machine& machine = files.machine();
  for (const auto& drive : machine.drives())
    if (drive->type() == DriveType::Fixed && drive->ready() &&
        files.fileExists(drive->root() + "IO.SYS"))
      return drive->root();
  return machine.config().windowsDirectory.substr(0, 2) + "\\";
}

std::string firstExisting(FileSystem& files, const std::vector<std::string>& candidates) {
  for (const std::string& path : candidates)
    if (files.fileExists(path)) return path;
  return {};
}

}  // namespace

std::vector<SystemFile> systemFilesToTransfer(FileSystem& files) {
  const Machine& machine = files.machine();
  const std::string root = bootRoot(files);
  const std::string emergency = machine.config().windowsDirectory + "\\COMMAND\\EBD\\";
  const bool me = machine.version() == WindowsVersion::WinMe;
  auto source = [&](const char* name) {
    std::vector<std::string> candidates;
    if (me) candidates.push_back(emergency + name);
    candidates.push_back(root + name);
    return firstExisting(files, candidates);
  };
  std::vector<SystemFile> transfer;
  for (const char* name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM"}) {
    const std::string path = source(name);
    const bool bootFile = std::string(name) != "COMMAND.COM";
    if (path.empty()) {
      if (std::string(name) == "MSDOS.SYS") continue;
      throw corvasta::Error(std::string("the system file ") + name + " is missing on " + root);
    }
    transfer.push_back({path, name, bootFile ? kBootFileAttributes : kAttributeArchive});
  }
  return transfer;
}

void transferSystemFiles(FileSystem& files, const std::string& root) {
  for (const SystemFile& file : systemFilesToTransfer(files)) {
    const std::string target = root + file.name;
    if (ansiEqualNoCase(files.machine().resolve(target).longPath,
                        files.machine().resolve(file.source).longPath))
      continue;  // the boot drive itself already holds them
    makeReplaceable(files, target);
    files.copyFile(file.source, target, false);
    files.setFileAttributes(target, file.attributes);
  }
}

}  // namespace platform
