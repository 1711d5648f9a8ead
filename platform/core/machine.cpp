#include "platform/core/machine.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <tuple>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace platform {

namespace fs = std::filesystem;

std::unique_ptr<Machine> Machine::open(const fs::path& folder) {
  fs::path absolute = fs::absolute(folder).lexically_normal();
  fs::path file = absolute / "machine.ini";
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw corvasta::Error("No machine at " + absolute.string() + ": " + file.string() +
                          " cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  MachineConfig config = parseMachineConfig(text.str(), absolute, file.string());
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
  std::error_code ec;
  for (auto it = fs::directory_iterator(hostFolder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec))
    names.push_back(utf8ToAnsi(it->path().filename().string()));
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
  fs::path current = location.drive->hostRoot();
  WinPath longPath;
  longPath.drive = location.path.drive;
  bool found = fs::is_directory(current);
  location.parentExists = found;
  const auto& components = location.path.components;
  for (size_t i = 0; i < components.size(); ++i) {
    const std::string& wanted = components[i];
    bool last = i + 1 == components.size();
    if (last) {
      location.parentExists = found && fs::is_directory(current);
      if (location.parentExists) location.aliasFolder = aliasKey(*location.drive, current);
    }
    std::optional<std::string> match;
    if (found && fs::is_directory(current)) {
      // Exact host name first (cheap), then a scan without case, then aliases.
      std::string utf8 = ansiToUtf8(wanted);
      std::error_code ec;
      if (fs::exists(fs::symlink_status(current / utf8, ec))) match = utf8;
      if (!match) {
        for (auto it = fs::directory_iterator(current, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
          std::string name = it->path().filename().string();
          if (ansiEqualNoCase(utf8ToAnsi(name), wanted)) {
            match = name;
            break;
          }
        }
      }
      auto byAlias = [&]() -> std::optional<std::string> {
        if (auto longName =
                location.drive->aliases().longNameOf(aliasKey(*location.drive, current), wanted)) {
          std::string utf8Long = ansiToUtf8(*longName);
          if (fs::exists(fs::symlink_status(current / utf8Long, ec))) return utf8Long;
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
    } else {
      found = false;
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
    struct statx info {};
    fs::path host = hostFolder / ansiToUtf8(name);
    if (::statx(AT_FDCWD, host.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME | STATX_INO,
                &info) != 0)
      continue;
    const auto& born = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    pending.push_back({born.tv_sec, born.tv_nsec, info.stx_ino, name});
  }
  std::sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
    return std::tie(a.seconds, a.nanoseconds, a.inode, a.name) <
           std::tie(b.seconds, b.nanoseconds, b.inode, b.name);
  });
  for (const auto& entry : pending) drive.aliases().assign(key, entry.name, names);
}

std::string Machine::shortNameOf(const HostLocation& location) const {
  if (location.path.components.empty()) return "";
  std::string name = utf8ToAnsi(location.host.filename().string());
  fs::path parent = location.host.parent_path();
  return location.drive->aliases().assign(aliasKey(*location.drive, parent), name,
                                          ansiNamesIn(parent));
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
  fs::path normal = fs::absolute(host).lexically_normal();
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
