// The backup run's Registry item: the capture of the running Windows
// version, and the path, hive-list and system-backup rules the captures use.

#include "app/core/Core.h"
#include "app/core/Locations.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"

namespace corvasta {

void RegistryCapture::BackupRegistry(int step) {
  if (core.isWin9xMode()) {
    Backup9xRegistry(step);
  } else {
    if (!core.isNtMode()) throw Error("The registry of this Windows version cannot be backed up.");
    SaveNTRegistry(core.backupRun.backupSetDir + "registry.daz", step, TransferMode == kTransferZip,
                   true);
  }
  // The registry's companions in every mode: win.inz and system.inz in a
  // compressed set, the files themselves in an uncompressed one.
  for (const char* name : {"win.ini", "system.ini"})
    archiving.BackupFile(core.loc.windowsDir + name, core.backupRun.backupSetDir, TransferMode, 0);
}

namespace {

// The first extract or working folder number Windows' own tools leave free.
constexpr int kFirstWorkingFolderNumber = 27;

}  // namespace

std::string folderPart(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string lastElement(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFolder(const platform::Machine& machine, const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return platform::ansiEqualNoCase(RemoveBackSl(ShortFileName(machine, CheckPath(a))),
                                   RemoveBackSl(ShortFileName(machine, CheckPath(b))));
}

std::string firstFreeWorkingFolder(platform::FileSystem& files, const std::string& windowsDir) {
  int number = kFirstWorkingFolderNumber;
  while (files.exists(windowsDir + "r" + std::to_string(number))) ++number;
  return windowsDir + "r" + std::to_string(number);
}

namespace {

constexpr std::string_view kUsersPrefix = "\\REGISTRY\\USER";
constexpr std::string_view kMachinePrefix = "\\REGISTRY\\MACHINE";
// The character that tells "\REGISTRY\USER" from "\REGISTRY\MACHINE".
constexpr size_t kRootLetter = 10;

}  // namespace

bool hiveKeyOf(const std::string& valueName, uint32_t& rootKey, std::string& keyPath) {
  if (valueName.size() <= kRootLetter) return false;
  const bool users = platform::ansiUpper(valueName[kRootLetter]) == 'U';
  const size_t prefix = users ? kUsersPrefix.size() : kMachinePrefix.size();
  if (valueName.size() <= prefix) return false;
  rootKey = users ? platform::HKEY_USERS : platform::HKEY_LOCAL_MACHINE;
  keyPath = valueName.substr(prefix);
  return keyPath.front() == '\\';
}

std::string stripDevicePrefix(const std::string& devicePath) {
  const std::string upper = platform::ansiUpper(devicePath);
  const size_t harddisk = upper.find("\\HARDDISK");
  if (harddisk == std::string::npos) return devicePath;
  size_t start = upper.find('\\', harddisk + 1);
  if (start == std::string::npos) return devicePath;
  const size_t partition = upper.find("\\PARTITION");
  if (partition != std::string::npos && partition <= start) {
    start = upper.find('\\', partition + 1);
    if (start == std::string::npos) return devicePath;
  }
  return devicePath.substr(start);
}

std::string newestSystemBackup(platform::FileSystem& files, const std::string& folder) {
  if (folder.empty() || !files.directoryExists(folder)) return {};
  std::string newest;
  uint64_t newestTime = 0;
  for (const platform::FindData& entry : files.findAll(folder + "rb???.cab")) {
    if (entry.attributes & platform::kAttributeDirectory) continue;
    if (platform::ansiEqualNoCase(entry.name, "rbbad.cab")) continue;
    if (newest.empty() || entry.times.lastWrite.value > newestTime) {
      newest = folder + entry.name;
      newestTime = entry.times.lastWrite.value;
    }
  }
  return newest;
}

}  // namespace corvasta
