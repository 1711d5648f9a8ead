#include "platform/simulators/system_backups.h"

#include <algorithm>

#include "platform/boot/boot_files.h"
#include "platform/cabinet/cabinet_read.h"
#include "platform/cabinet/cabinet_write.h"
#include "platform/simulators/extracted_file.h"
#include "platform/simulators/registry_files.h"

namespace platform {
namespace {

std::string windowsFile(const Machine& machine, const char* name) {
  return machine.config().windowsDirectory + "\\" + name;
}

// "rb003.cab" gives 3; anything else -1.
int backupNumberOf(const std::string& name) {
  if (name.size() != 9 || !ansiEqualNoCase(name.substr(0, 2), "rb") ||
      !ansiEqualNoCase(name.substr(5), ".cab"))
    return -1;
  int number = 0;
  for (char c : name.substr(2, 3)) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string backupName(int number) {
  std::string digits = std::to_string(number);
  return "rb" + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits + ".cab";
}

int64_t unixSeconds(FileTime time) {
  return static_cast<int64_t>(time.value / 10000000ull) -
         static_cast<int64_t>(kUnixEpochInFileTimeSeconds);
}

CabinetMember memberFor(FileSystem& files, const std::string& path, std::string bytes) {
  std::vector<FindData> found = files.findAll(path);
  if (found.empty()) throw OsError(WinError::FileNotFound, path);
  return {found.front().name, std::move(bytes), unixSeconds(found.front().times.lastWrite),
          static_cast<uint8_t>(found.front().attributes & kCabinetFileAttributes)};
}

std::vector<CabinetMember> backupMembers(FileSystem& files) {
  const Machine& machine = files.machine();
  std::vector<CabinetMember> members;
  for (const std::string& path : backedUpRegistryFiles(machine)) {
    std::string bytes;
    readRegistryFile(files, path, &bytes);
    members.push_back(memberFor(files, path, std::move(bytes)));
  }
  for (const std::string& path : backedUpConfigFiles(machine))
    if (files.fileExists(path))
      members.push_back(memberFor(files, path, readMachineFile(files, path)));
  return members;
}

// The name the next backup takes: the lowest free number below the limit, or
// the oldest backup's when the folder is full.
std::string nextBackupPath(const std::string& folder, const std::vector<SystemBackup>& backups,
                           int limit) {
  if (static_cast<int>(backups.size()) >= limit) return backups.front().path;
  for (int number = 0;; ++number) {
    bool used = std::any_of(backups.begin(), backups.end(),
                            [&](const SystemBackup& backup) { return backup.number == number; });
    if (!used) return folder + "\\" + backupName(number);
  }
}

void deleteBackup(FileSystem& files, const std::string& path) {
  files.setFileAttributes(path, kAttributeNormal);
  files.deleteFile(path);
}

// Writes beside the target first, so a failed write leaves the older backup.
void writeBackup(FileSystem& files, const std::string& target, const std::string& bytes) {
  const std::string partial = target.substr(0, target.size() - 3) + "$$$";
  {
    FileHandle handle =
        files.createFile(partial, kGenericWrite, 0, CreationDisposition::CreateAlways);
    try {
      handle.write(bytes.data(), bytes.size());
      handle.close();
    } catch (...) {
      handle = FileHandle();
      files.deleteFile(partial);
      throw;
    }
  }
  makeReplaceable(files, target);
  files.moveFileEx(partial, target, kMoveFileReplaceExisting);
}

}  // namespace

CheckerSettings readCheckerSettings(FileSystem& files) {
  const std::string path = windowsFile(files.machine(), "SCANREG.INI");
  if (!files.fileExists(path)) return {};
  return parseCheckerSettings(readMachineFile(files, path));
}

std::string systemBackupFolder(FileSystem& files, const CheckerSettings& settings) {
  std::string folder = settings.backupDirectory;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  try {
    if (!folder.empty() && files.directoryExists(folder)) return folder;
  } catch (const OsError&) {
    // A malformed path or an unknown drive: the default folder.
  }
  return windowsFile(files.machine(), "SYSBCKUP");
}

std::vector<SystemBackup> listSystemBackups(FileSystem& files, const std::string& folder) {
  std::vector<SystemBackup> backups;
  if (!files.directoryExists(folder)) return backups;
  for (const FindData& found : files.findAll(folder + "\\rb???.cab")) {
    const int number = backupNumberOf(found.name);
    if (number < 0 || (found.attributes & kAttributeDirectory)) continue;
    backups.push_back({folder + "\\" + found.name, number, found.times.lastWrite});
  }
  std::sort(backups.begin(), backups.end(), [](const SystemBackup& a, const SystemBackup& b) {
    return a.written != b.written ? a.written < b.written : a.number < b.number;
  });
  return backups;
}

std::vector<std::string> backedUpRegistryFiles(const Machine& machine) {
  std::vector<std::string> paths{windowsFile(machine, "SYSTEM.DAT"),
                                 windowsFile(machine, "USER.DAT")};
  if (machine.version() == WindowsVersion::WinMe)
    paths.push_back(windowsFile(machine, "CLASSES.DAT"));
  return paths;
}

std::vector<std::string> backedUpConfigFiles(const Machine& machine) {
  return {windowsFile(machine, "SYSTEM.INI"), windowsFile(machine, "WIN.INI")};
}

std::string makeSystemBackup(FileSystem& files) {
  const std::vector<CabinetMember> members = backupMembers(files);
  const CheckerSettings settings = readCheckerSettings(files);
  const std::string folder = systemBackupFolder(files, settings);
  if (!files.directoryExists(folder)) files.createDirectory(folder);
  std::vector<SystemBackup> backups = listSystemBackups(files, folder);
  const std::string target = nextBackupPath(folder, backups, settings.maxBackupCopies);
  writeBackup(files, target, mszipCabinet(members));

  std::erase_if(backups, [&](const SystemBackup& b) { return ansiEqualNoCase(b.path, target); });
  while (static_cast<int>(backups.size()) + 1 > settings.maxBackupCopies) {
    deleteBackup(files, backups.front().path);
    backups.erase(backups.begin());
  }
  return target;
}

void restoreSystemBackup(FileSystem& files, const std::string& cabinet) {
  const std::string windows = files.machine().config().windowsDirectory + "\\";
  const std::string bytes = readMachineFile(files, cabinet);
  CabinetArchive archive(files, bytes);
  // Every file is decoded beside its place first; only when all of them are
  // whole do they replace the present files.
  struct Staged {
    std::string partial;
    std::string target;
    const CabinetEntry* entry;
  };
  std::vector<Staged> staged;
  try {
    for (size_t index = 0; index < archive.entries().size(); ++index) {
      const CabinetEntry& entry = archive.entries()[index];
      const std::string name = flatEntryName(entry);
      Staged file{windows + "RB$" + std::to_string(index) + ".$$$", windows + name, &entry};
      staged.push_back(file);
      archive.extract(index, file.partial);
    }
  } catch (...) {
    for (const Staged& file : staged)
      if (files.fileExists(file.partial)) boot::deleteAtStart(files, file.partial);
    throw;
  }
  for (const Staged& file : staged) {
    boot::moveAtStart(files, file.partial, file.target);
    stampExtractedFile(files, file.target, *file.entry);
  }
}

}  // namespace platform
