#include "platform/core/machine.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/host/host_crash_point.h"
#include "platform/host/host_files.h"
#include "platform/host/host_folders.h"

namespace platform {

namespace fs = std::filesystem;

std::unique_ptr<Machine> Machine::open(const fs::path& folder) {
  fs::path absolute = host::absolutePath(folder);
  fs::path file = absolute / "machine.ini";
  std::optional<std::string> text = host::readFile(file);
  if (!text)
    throw corvasta::Error("No machine at " + absolute.string() + ": " + file.string() +
                          " cannot be read");
  MachineConfig config = parseMachineConfig(*text, absolute, file.string());
  host::setCrashAfterWrites(config.crashAfterWrites);
  return std::unique_ptr<Machine>(new Machine(absolute, std::move(config)));
}

Machine::Machine(fs::path folder, MachineConfig config)
    : folder_(std::move(folder)), config_(std::move(config)) {
  state_ = std::make_unique<MachineState>(stateFolder() / "state.ini");
  for (const auto& driveConfig : config_.drives)
    drives_.push_back(std::make_unique<Drive>(driveConfig, *state_, stateFolder()));
}

Drive* Machine::drive(char letter) const {
  char upper = ansiUpper(letter);
  for (const auto& d : drives_)
    if (d->letter() == upper) return d.get();
  return nullptr;
}

std::vector<std::string> Machine::driveRoots() const {
  std::vector<std::string> roots;
  for (const auto& d : drives_) roots.push_back(d->root());
  return roots;
}

DriveType Machine::driveType(std::string_view rootOrPath) const {
  if (rootOrPath.size() < 2 || rootOrPath[1] != ':') return DriveType::NoRootDir;
  Drive* d = drive(rootOrPath[0]);
  return d ? d->type() : DriveType::NoRootDir;
}

std::vector<std::string> Machine::ansiNamesIn(const fs::path& hostFolder) {
  std::vector<std::string> names;
  for (const std::string& name : host::folderNames(hostFolder)) names.push_back(utf8ToAnsi(name));
  return names;
}

std::string Machine::aliasKey(const Drive& drive, const fs::path& hostFolder) {
  fs::path relative = hostFolder.lexically_relative(drive.hostRoot());
  std::string key = relative.generic_string();
  return key == "." ? "" : key;
}

HostLocation Machine::resolve(std::string_view winPath) const {
  HostLocation location;
  location.path = parseWinPath(winPath);
  if (location.path.device)
    throw OsError(WinError::InvalidName, std::string(winPath),
                  std::string(winPath) + ": device paths are reserved for the SCSI layer");
  location.drive = drive(location.path.drive);
  if (!location.drive) throw OsError(WinError::PathNotFound, std::string(winPath));
  const auto& components = location.path.components;
  fs::path current = location.drive->hostRoot();
  WinPath longPath;
  longPath.drive = location.path.drive;
  size_t first = 0;  // the first component still to look up
  // The parent as named, when it is a folder on the host: every component
  // above the last is then its exact host name (the look-up below would find
  // each by that name first), so one host call finds them all.
  if (!components.empty()) {
    fs::path parent = current;
    for (size_t i = 0; i + 1 < components.size(); ++i) parent /= ansiToUtf8(components[i]);
    location.parentIdentity = host::folderIdentity(parent);
    if (location.parentIdentity) {
      current = std::move(parent);
      for (size_t i = 0; i + 1 < components.size(); ++i)
        longPath.components.push_back(utf8ToAnsi(ansiToUtf8(components[i])));
      first = components.size() - 1;
    }
  }
  // `found`: every component so far exists; `inFolder`: and the last one is
  // a folder (links followed), so the next one can be looked up in it. Each
  // existing component costs one host call when its name is exact.
  bool found =
      first > 0 || location.parentIdentity || host::kindOf(current) == host::EntryKind::Directory;
  bool inFolder = found;
  location.parentExists = found;
  for (size_t i = first; i < components.size(); ++i) {
    const std::string& wanted = components[i];
    bool last = i + 1 == components.size();
    if (last) {
      location.parentExists = inFolder;
      if (location.parentExists) location.aliasFolder = aliasKey(*location.drive, current);
    }
    std::optional<std::string> match;
    std::optional<host::EntryKind> matchKind;
    if (inFolder) {
      // Exact host name first (cheap), then a search without case, then
      // aliases. The last component needs no kind, only to be there.
      std::string utf8 = ansiToUtf8(wanted);
      host::EntryKind kind = last ? host::EntryKind::None : host::kindOf(current / utf8);
      if (kind != host::EntryKind::None || host::entryExists(current / utf8)) {
        match = utf8;
        if (!last) matchKind = kind;
      }
      if (!match)
        match = folderNames_.find(current, wanted, last ? location.parentIdentity : std::nullopt);
      auto byAlias = [&]() -> std::optional<std::string> {
        if (auto longName =
                location.drive->aliases().longNameOf(aliasKey(*location.drive, current), wanted)) {
          std::string utf8Long = ansiToUtf8(*longName);
          if (host::entryExists(current / utf8Long)) return utf8Long;
        }
        return std::nullopt;
      };
      if (!match) match = byAlias();
      // An alias of an entry nobody asked about yet (made on the host): give
      // the folder its aliases, then look again.
      if (!match && wanted.find('~') != std::string::npos) {
        assignFolderAliases(*location.drive, current);
        match = byAlias();
      }
    }
    if (match) {
      current /= *match;
      longPath.components.push_back(utf8ToAnsi(*match));
      if (!last) {
        if (!matchKind) matchKind = host::kindOf(current);
        inFolder = *matchKind == host::EntryKind::Directory;
      }
    } else {
      found = false;
      inFolder = false;
      current /= ansiToUtf8(wanted);
      longPath.components.push_back(wanted);
    }
  }
  location.exists = found;
  location.host = current;
  location.longPath = longPath.str();
  if (components.empty()) location.parentExists = location.exists;
  return location;
}

void Machine::assignFolderAliases(Drive& drive, const fs::path& hostFolder) const {
  std::string key = aliasKey(drive, hostFolder);
  std::vector<std::string> names = ansiNamesIn(hostFolder);
  // Oldest first; entries made within one clock tick go by inode number, which
  // most hosts hand out in increasing order.
  struct Pending {
    int64_t seconds;
    uint32_t nanoseconds;
    uint64_t inode;
    std::string name;
  };
  std::vector<Pending> pending;
  for (const auto& name : names) {
    if (isValidShortName(name) || drive.aliases().find(key, name)) continue;
    std::optional<host::EntryStatus> status = host::entryStatus(hostFolder / ansiToUtf8(name));
    if (!status) continue;
    const host::HostTime born = status->birth.value_or(status->lastWrite);
    pending.push_back({born.seconds, born.nanoseconds, status->identity.inode, name});
  }
  std::sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
    return std::tie(a.seconds, a.nanoseconds, a.inode, a.name) <
           std::tie(b.seconds, b.nanoseconds, b.inode, b.name);
  });
  std::set<std::string_view, AnsiLessNoCase> present(names.begin(), names.end());
  // No name leaves the folder during the pass, so under a stamp of its own each
  // sequence of aliases goes on from the number it gave last instead of trying
  // every number from ~1 again (thousands of "Report ..." files in one folder).
  const uint64_t pass = newListingStamp();
  for (const auto& entry : pending)
    drive.aliases().assignAmong(
        key, entry.name, [&](std::string_view sibling) { return present.count(sibling) > 0; },
        pass);
}

FileTime Machine::fileTimeToLocalFileTime(FileTime utc) const {
  return config_.timeZone.toLocal(utc);
}

std::optional<SystemTime> Machine::localSystemTime(FileTime utc) const {
  return fileTimeToSystemTime(fileTimeToLocalFileTime(utc));
}

std::string Machine::shortNameOf(const HostLocation& location) const {
  if (location.path.components.empty()) return "";
  std::string name = utf8ToAnsi(location.host.filename().string());
  fs::path parent = location.host.parent_path();
  // Names that need no alias, or have one, need no look at the folder.
  if (isValidShortName(name)) return ansiUpper(name);
  std::string key = aliasKey(*location.drive, parent);
  if (auto given = location.drive->aliases().find(key, name)) return *given;
  const FolderListing& siblings = folderNames_.listing(parent, location.parentIdentity);
  return location.drive->aliases().assignAmong(
      key, name, [&](std::string_view sibling) { return siblings.has(sibling); },
      siblings.removalStamp());
}

void Machine::forgetShortNameOf(const HostLocation& location) const {
  location.drive->aliases().forget(location.aliasFolder,
                                   utf8ToAnsi(location.host.filename().string()));
}

std::string Machine::shortPath(std::string_view winPath) const {
  HostLocation location = resolve(winPath);
  if (!location.exists)
    throw OsError(location.parentExists ? WinError::FileNotFound : WinError::PathNotFound,
                  std::string(winPath));
  WinPath result;
  result.drive = location.path.drive;
  WinPath prefix;
  prefix.drive = location.path.drive;
  for (const auto& component : location.path.components) {
    prefix.components.push_back(component);
    result.components.push_back(shortNameOf(resolve(prefix.str())));
  }
  return result.str();
}

std::optional<std::string> Machine::winPathOf(const fs::path& host) const {
  fs::path normal = host::absolutePath(host);
  for (const auto& d : drives_) {
    if (!d->ready()) continue;
    fs::path relative = normal.lexically_relative(d->hostRoot());
    if (relative.empty() || *relative.begin() == "..") continue;
    WinPath path;
    path.drive = d->letter();
    for (const auto& part : relative)
      if (part != ".") path.components.push_back(utf8ToAnsi(part.string()));
    return path.str();
  }
  return std::nullopt;
}

}  // namespace platform
