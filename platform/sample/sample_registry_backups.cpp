#include "platform/sample/sample_registry_backups.h"

#include <cstdio>

#include "platform/cabinet/cabinet_write.h"
#include "platform/core/codepage.h"
#include "platform/sample/nt_installation.h"
#include "platform/sample/sample_registry_content.h"
#include "platform/sample/sample_registry_nt.h"
#include "platform/sample/sample_registry_values.h"
#include "platform/sample/sample_registry_win9x.h"

namespace platform::sample {
namespace {

std::string fileName(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

const SampleEntry* findEntry(const SampleTree& drive, const std::string& path) {
  for (const auto& entry : drive.entries())
    if (ansiEqualNoCase(entry.path, path)) return &entry;
  return nullptr;
}

std::string scanregIniWithFolder(const SampleTree& drive, const SampleLayout& layout,
                                 const std::string& folder) {
  const std::string path = layout.windowsFolder + "\\SCANREG.INI";
  const SampleEntry* existing = findEntry(drive, path);
  std::string text = existing ? existing->bytes : "Backup=1\r\nOptimize=1\r\nMaxBackupCopies=5\r\n";
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  return text + "BackupDirectory=" + onDriveC(folder) + "\r\n";
}

// RESTOREPOINTINFOW (event type, restore point type, sequence number,
// description) followed by the point's creation time.
std::string restorePointLog(uint32_t type, uint64_t sequence, const std::string& description,
                            SampleTime time) {
  std::string log;
  auto put = [&log](uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) log += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(100, 4);  // BEGIN_SYSTEM_CHANGE
  put(type, 4);
  put(sequence, 8);
  for (size_t i = 0; i < 256; ++i)
    put(i < description.size() ? static_cast<uint8_t>(description[i]) : 0, 2);
  put(sampleFileTime(time), 8);
  return log;
}

std::string snapshotName(const NtHiveFile& hive) {
  switch (hive.kind) {
    case NtHiveKind::User:
      return "_REGISTRY_USER_NTUSER_" + hive.sid;
    case NtHiveKind::UserClasses:
      return "_REGISTRY_USER_USRCLASS_" + hive.sid;
    default: {
      // "\REGISTRY\MACHINE\SOFTWARE" -> "_REGISTRY_MACHINE_SOFTWARE".
      std::string name = hive.mountName;
      for (char& c : name)
        if (c == '\\') c = '_';
      return name;
    }
  }
}

}  // namespace

void addWin9xRegistryBackups(SampleTree& drive, const SampleLayout& layout) {
  const std::string windows = layout.windowsFolder + "\\";
  const std::string folder = windows + "SYSBCKUP";
  drive.folder(folder);
  std::vector<CabinetMember> configFiles;
  for (const char* name : {"SYSTEM.INI", "WIN.INI"}) {
    const SampleEntry* entry = findEntry(drive, windows + name);
    if (entry) configFiles.push_back({name, entry->bytes, entry->time, kArchive});
  }
  for (int n = 0; n < kWin9xRegistryBackups; ++n) {
    // One backup a day, the first start of each day; the newest is today's.
    SampleTime taken = layout.useTime - (kWin9xRegistryBackups - 1 - n) * 86400 - 3 * 3600;
    std::vector<CabinetMember> members;
    for (const auto& file : win9xRegistryFiles(drive, layout, taken)) {
      if (file.path.rfind(windows, 0) != 0 ||
          file.path.find('\\', windows.size()) != std::string::npos)
        continue;  // the profiles' user.dat files are not part of the backup
      members.push_back({fileName(file.path), win9xFileBytes(file.tree), taken,
                         kReadOnly | kHidden | kSystem | kArchive});
    }
    members.insert(members.end(), configFiles.begin(), configFiles.end());
    char name[16];
    std::snprintf(name, sizeof name, "RB%03d.CAB", n);
    drive.file(folder + "\\" + name, mszipCabinet(members), taken);
  }
  drive.file(windows + "SCANREG.INI", scanregIniWithFolder(drive, layout, folder),
             layout.installTime);
}

void addXpRestorePoints(SampleTree& drive, const SampleLayout& layout) {
  const std::string restore = "System Volume Information\\" + systemRestoreFolderName(layout);
  const SampleProgram& program = samplePrograms()[3];
  struct Point {
    uint32_t type;
    std::string description;
    SampleTime time;
  };
  const Point points[] = {
      {7, "System Checkpoint", layout.installTime + 86400},
      {0, std::string("Installed ") + program.displayName,
       layout.installTime + program.installedAfterDays * 86400},
  };
  uint64_t sequence = 1;
  for (const auto& point : points) {
    std::string folder = restore + "\\RP" + std::to_string(sequence);
    drive.file(folder + "\\rp.log",
               restorePointLog(point.type, sequence, point.description, point.time), point.time);
    for (const auto& hive : ntHiveFiles(drive, layout, point.time))
      drive.file(folder + "\\snapshot\\" + snapshotName(hive),
                 ntHiveBytes(hive, layout, point.time), point.time);
    ++sequence;
  }
}

void addNtRepairCopies(SampleTree& drive, const SampleLayout& layout) {
  const std::string repair = layout.windowsFolder + "\\repair\\";
  SampleTime setup = layout.installTime;
  std::vector<NtHiveFile> hives;
  for (auto& hive : ntHiveFiles(drive, layout, setup))
    if (hive.kind == NtHiveKind::Machine || hive.kind == NtHiveKind::DefaultUser)
      hives.push_back(std::move(hive));
  hives.push_back(ntNewUserHive(drive, layout));
  for (const auto& hive : hives) {
    std::string name = ansiLower(fileName(hive.path));
    std::string bytes = ntHiveBytes(hive, layout, setup);
    if (layout.version != WindowsVersion::Nt4) {
      drive.file(repair + name, std::move(bytes), setup);
      continue;
    }
    // "system" -> "system._", "ntuser.dat" -> "ntuser.da_".
    std::string compressed =
        name.find('.') == std::string::npos ? name + "._" : name.substr(0, name.size() - 1) + "_";
    drive.file(repair + compressed, mszipCabinet({{name, std::move(bytes), setup, kArchive}}),
               setup);
  }
}

}  // namespace platform::sample
