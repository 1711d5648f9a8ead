#include "platform/files/find_files.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/short_names.h"
#include "platform/files/wildcard.h"
#include "platform/host/host_folders.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

bool isAddressableName(std::string_view ansi) {
  for (char c : ansi) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return !ansi.empty();
}

struct HostEntry {
  std::string name;  // ANSI
  fs::path host;
};

// The ANSI form of a host name Windows can list; nullopt for names with
// characters Windows forbids or without an ANSI form (they come back with
// '?', which Windows forbids).
std::optional<std::string> listableName(const std::string& utf8) {
  std::string ansi = utf8ToAnsi(utf8);
  if (!isAddressableName(ansi) || ansiToUtf8(ansi) != utf8) return std::nullopt;
  return ansi;
}

std::vector<HostEntry> listFolder(const fs::path& folder) {
  std::vector<HostEntry> entries;
  for (const std::string& utf8 : host::folderNames(folder))
    if (std::optional<std::string> ansi = listableName(utf8))
      entries.push_back({std::move(*ansi), folder / utf8});
  return entries;
}

HostLocation existingFolder(Machine& machine, std::string folderPath, std::string_view shown) {
  if (folderPath.size() == 2 && folderPath[1] == ':') folderPath += '\\';
  HostLocation folder = machine.resolve(folderPath);
  if (!folder.exists || !host::isDirectory(folder.host))
    throw OsError(WinError::PathNotFound, std::string(shown));
  return folder;
}

FindData dotEntry(const std::string& name, const FileInfo& info) {
  FindData data;
  data.name = name;
  data.attributes = info.attributes;
  data.times = info.times;
  return data;
}

}  // namespace

std::vector<FindData> findAll(Machine& machine, FileAttributes& attributes,
                              std::string_view pattern) {
  size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string_view::npos) throw OsError(WinError::InvalidName, std::string(pattern));
  std::string mask(pattern.substr(cut + 1));
  HostLocation folder = existingFolder(machine, std::string(pattern.substr(0, cut)), pattern);
  std::vector<FindData> found;
  if (mask.empty()) return found;
  // A mask that can match one name only (no wildcards, and no dot at its end,
  // which also matches a name without extension) is looked up without
  // listing the folder: FindFirstFile on a file's path costs the same in a
  // folder of ten thousand files.
  if (!hasWildcards(mask) && mask.back() != '.') {
    try {
      if (std::optional<FindData> one = findEntry(machine, attributes, pattern))
        found.push_back(std::move(*one));
    } catch (const OsError&) {
      // a name no entry can have (a character Windows forbids) matches nothing
    }
    return found;
  }
  Drive& drive = *folder.drive;
  std::string folderKey = Machine::aliasKey(drive, folder.host);
  std::vector<HostEntry> entries = listFolder(folder.host);
  machine.assignFolderAliases(drive, folder.host);
  for (const auto& entry : entries) {
    std::string alias = isValidShortName(entry.name)
                            ? ""
                            : drive.aliases().find(folderKey, entry.name).value_or("");
    if (!searchMatches(mask, entry.name, alias)) continue;
    FileInfo info;
    try {
      info = attributes.query(drive, entry.host);
    } catch (const OsError&) {
      continue;  // removed on the host while we listed
    }
    FindData data;
    data.name = entry.name;
    data.alternateName = alias;
    data.attributes = info.attributes;
    data.size = info.size;
    data.times = info.times;
    found.push_back(std::move(data));
  }
  std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
    return ansiCompareNoCase(a.name, b.name) < 0;
  });
  if (!folder.path.components.empty()) {
    std::vector<FindData> dots;
    if (matchesWildcard(".", mask))
      dots.push_back(dotEntry(".", attributes.query(drive, folder.host)));
    if (matchesWildcard("..", mask))
      dots.push_back(dotEntry("..", attributes.query(drive, folder.host.parent_path())));
    found.insert(found.begin(), dots.begin(), dots.end());
  }
  return found;
}

std::optional<FindData> findEntry(Machine& machine, FileAttributes& attributes,
                                  std::string_view path) {
  const HostLocation location = machine.resolve(path);
  if (!location.exists || location.path.components.empty()) return std::nullopt;
  const size_t cut = location.longPath.find_last_of('\\');
  const std::string name = location.longPath.substr(cut == std::string::npos ? 0 : cut + 1);
  if (!isAddressableName(name) || ansiToUtf8(name) != location.host.filename().string())
    return std::nullopt;
  Drive& drive = *location.drive;
  FindData data;
  data.name = name;
  if (!isValidShortName(name)) {
    const fs::path folder = location.host.parent_path();
    const std::string key = Machine::aliasKey(drive, folder);
    std::optional<std::string> alias = drive.aliases().find(key, name);
    if (!alias) {
      machine.assignFolderAliases(drive, folder);
      alias = drive.aliases().find(key, name);
    }
    data.alternateName = alias.value_or("");
  }
  FileInfo info;
  try {
    info = attributes.query(drive, location.host);
  } catch (const OsError&) {
    return std::nullopt;  // removed on the host while we looked
  }
  data.attributes = info.attributes;
  data.size = info.size;
  data.times = info.times;
  return data;
}

bool searchMatches(std::string_view mask, std::string_view name, std::string_view alias) {
  return matchesWildcard(name, mask) || (!alias.empty() && matchesWildcard(alias, mask));
}

namespace {

std::vector<ListedEntry> listedEntries(Machine& machine, std::string_view folderPath,
                                       bool aliases) {
  std::string path(folderPath);
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  const HostLocation folder = existingFolder(machine, path, folderPath);
  Drive& drive = *folder.drive;
  const std::string folderKey = aliases ? Machine::aliasKey(drive, folder.host) : std::string();
  if (aliases) machine.assignFolderAliases(drive, folder.host);
  std::vector<ListedEntry> entries;
  for (host::FolderEntry& entry : host::folderEntries(folder.host)) {
    if (entry.kind == host::EntryKind::None) continue;  // removed on the host while we listed
    std::optional<std::string> ansi = listableName(entry.name);
    if (!ansi) continue;
    ListedEntry listed{std::move(*ansi), {}, entry.kind == host::EntryKind::Directory, entry.size};
    if (aliases && !isValidShortName(listed.name))
      listed.alternateName = drive.aliases().find(folderKey, listed.name).value_or("");
    entries.push_back(std::move(listed));
  }
  std::sort(entries.begin(), entries.end(), [](const ListedEntry& a, const ListedEntry& b) {
    return ansiCompareNoCase(a.name, b.name) < 0;
  });
  return entries;
}

}  // namespace

std::vector<ListedEntry> listFolderSizes(Machine& machine, std::string_view folderPath) {
  return listedEntries(machine, folderPath, false);
}

std::vector<ListedEntry> listFolderNames(Machine& machine, std::string_view folderPath) {
  return listedEntries(machine, folderPath, true);
}

FileSearch::FileSearch(Machine& machine, FileAttributes& attributes, std::string_view pattern)
    : entries_(findAll(machine, attributes, pattern)) {
  if (entries_.empty()) throw OsError(WinError::FileNotFound, std::string(pattern));
}

bool FileSearch::next() {
  if (position_ + 1 >= entries_.size()) {
    position_ = entries_.size() - 1;
    return false;
  }
  ++position_;
  return true;
}

}  // namespace platform
