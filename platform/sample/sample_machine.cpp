#include "platform/sample/sample_machine.h"

#include "platform/core/errors.h"
#include "platform/core/file_time.h"
#include "platform/core/machine.h"
#include "platform/core/machine_state.h"
#include "platform/core/short_names.h"
#include "platform/core/win_path.h"
#include "platform/files/file_system.h"
#include "platform/host/host_files.h"
#include "platform/sample/install_disc.h"
#include "platform/sample/nt_installation.h"
#include "platform/sample/program_directory.h"
#include "platform/sample/sample_config.h"
#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_registry_backups.h"
#include "platform/sample/sample_registry_nt.h"
#include "platform/sample/sample_registry_win9x.h"
#include "platform/sample/sample_tree.h"
#include "platform/sample/win9x_installation.h"

namespace platform::sample {
namespace {

namespace fs = std::filesystem;

void requireEmptyFolder(const fs::path& dir) {
  if (!host::entryExists(dir)) return;
  if (!host::isDirectory(dir))
    throw corvasta::Error("Cannot create a machine in " + dir.string() + ": it is not a folder");
  if (!host::isEmptyDirectory(dir))
    throw corvasta::Error("Cannot create a machine in " + dir.string() +
                          ": the folder is not empty");
}

// Windows gives a long name its 8.3 alias when the file is created; the
// machine does the same here, in creation order, so that aliases such as
// PROGRA~1 and DOCUME~1 exist from the start and are the same every time.
void giveShortNames(const Machine& machine, char letter, const SampleTree& tree) {
  std::string root = std::string(1, letter) + ":\\";
  for (const auto& entry : tree.entries()) machine.shortNameOf(machine.resolve(root + entry.path));
}

// The short form of an existing path as Windows sets it in TEMP: aliases for
// long names, names that are valid 8.3 names as they are (NTFS keeps no
// separate short name for them, so their case stays).
std::string shortFormOf(const Machine& machine, const std::string& longPath) {
  WinPath path = parseWinPath(longPath);
  WinPath prefix, result;
  prefix.drive = result.drive = path.drive;
  for (const auto& component : path.components) {
    prefix.components.push_back(component);
    result.components.push_back(isValidShortName(component)
                                    ? component
                                    : machine.shortNameOf(machine.resolve(prefix.str())));
  }
  return result.str();
}

FileTime fileTimeOf(SampleTime time) {
  return fileTimeFromHost(host::HostTime{time, 0});
}

// Creation times and DOS attributes (hidden, system and read-only boot files,
// hidden shell folders) go where the machine keeps them. Times first: a
// read-only file refuses them.
void applyDosAttributes(Machine& machine, char letter, const SampleTree& tree) {
  FileSystem files(machine);
  std::string root = std::string(1, letter) + ":\\";
  for (const auto& entry : tree.entries())
    files.setFileTime(root + entry.path, fileTimeOf(entry.time), std::nullopt, std::nullopt);
  for (const auto& entry : tree.entries()) {
    uint8_t usual = entry.folder ? 0 : kArchive;
    if (entry.attributes != usual) files.setFileAttributes(root + entry.path, entry.attributes);
  }
}

// The registry files and Windows' own registry backups, added to the fixed
// drive's tree after the installation's folders and files are in it: the
// registry names the shell folders and the backups hold copies of Windows'
// configuration files.
void addSampleRegistry(SampleTree& drive, const SampleLayout& layout) {
  if (!layout.nt) {
    addWin9xRegistry(drive, layout);
    if (layout.version != WindowsVersion::Win95) addWin9xRegistryBackups(drive, layout);
    return;
  }
  addNtRegistry(drive, layout);
  addNtRepairCopies(drive, layout);
  if (layout.version == WindowsVersion::WinXp) addXpRestorePoints(drive, layout);
}

void writeConfig(const fs::path& dir, const MachineConfig& config) {
  replaceHostFile(dir / "machine.ini", formatMachineConfig(config, dir));
}

}  // namespace

void createSampleMachine(const fs::path& dir, WindowsVersion version,
                         const SampleOptions& options) {
  SampleLayout layout = makeSampleLayout(version, options);
  fs::path machineDir = host::absolutePath(dir);
  requireEmptyFolder(machineDir);

  SampleTree fixed(layout.installTime);
  if (layout.nt)
    addNtInstallation(fixed, layout);
  else
    addWin9xInstallation(fixed, layout);
  addProgramDirectory(fixed, layout);
  addSampleRegistry(fixed, layout);
  SampleTree disc(layout.releaseTime);
  addInstallDisc(disc, layout);
  SampleTree emptyDiskette(layout.useTime);

  MachineConfig config = sampleMachineConfig(layout, machineDir, options.running);
  if (std::error_code error = host::makeDirectories(machineDir))
    throw corvasta::Error("Cannot create " + machineDir.string() + ": " + error.message());
  // The tree is finished the way Setup finishes it: with Windows not running,
  // so that no file is held open yet.
  MachineConfig setup = config;
  setup.running = false;
  writeConfig(machineDir, setup);
  writeSampleTree(fixed, sampleDriveFolder(machineDir, 'C'));
  writeSampleTree(disc, sampleDriveFolder(machineDir, 'D') / "install");
  for (const char* medium : {"disk1", "disk2", "disk3"})
    writeSampleTree(emptyDiskette, sampleDriveFolder(machineDir, 'A') / medium);
  for (char letter : {'A', 'D'}) setTimes(sampleDriveFolder(machineDir, letter), layout.useTime);
  setTimes(machineDir / "drives", layout.installTime);

  auto machine = Machine::open(machineDir);
  giveShortNames(*machine, 'C', fixed);
  giveShortNames(*machine, 'D', disc);
  applyDosAttributes(*machine, 'C', fixed);
  // Windows 2000 and XP set TEMP in the short form of the profile's folder.
  if (layout.nt && version != WindowsVersion::Nt4) {
    std::string temp = shortFormOf(*machine, config.environment["TEMP"]);
    config.environment["TEMP"] = temp;
    config.environment["TMP"] = temp;
  }
  writeConfig(machineDir, config);
}

}  // namespace platform::sample
