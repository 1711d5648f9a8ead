#include "platform/live_registry/live_registry.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/codepage.h"
#include "platform/core/machine_state.h"
#include "platform/host/host_files.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/win9x_registry_write.h"
#include "platform/system/privileges.h"

namespace platform {

using registry::RegistryKey;
using registry::RegistryTree;
using registry::splitKeyPath;

namespace {

constexpr const char* kHivelistPath = "Control\\hivelist";
constexpr const char* kReplacementSection = "HiveReplacements";

std::string joinKeyPath(const std::vector<std::string>& parts, size_t from = 0) {
  std::string out;
  for (size_t i = from; i < parts.size(); ++i) out += (out.empty() ? "" : "\\") + parts[i];
  return out;
}

bool startsWith(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
  if (prefix.size() > path.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (!ansiEqualNoCase(path[i], prefix[i])) return false;
  return true;
}

bool isPredefined(HKEY key) {
  return key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA;
}

RegistryKey* findChild(RegistryKey& key, const std::string& ansiName) {
  return key.findSubkey(ansiToUtf8(ansiName));
}

void addUnique(std::vector<std::string>& names, const std::string& name) {
  for (const auto& n : names)
    if (ansiEqualNoCase(n, name)) return;
  names.push_back(name);
}

std::vector<uint8_t> szData(const std::string& ansi) {
  std::vector<uint8_t> data(ansi.begin(), ansi.end());
  data.push_back(0);
  return data;
}

}  // namespace

LiveRegistry::LiveRegistry(Machine& machine, FileSystem& files)
    : machine_(machine), files_(files), hives_(loadHives(machine)) {
  addVolatileKeys();
}

LiveRegistry::~LiveRegistry() {
  try {
    flushAll();
  } catch (...) {
    // A hive that cannot be written now keeps its file as it was.
  }
}

std::string LiveRegistry::currentControlSet(const HiveMount& system) const {
  uint32_t current = 1;
  if (const RegistryKey* select = system.tree.root.findPath("Select"))
    if (const auto* value = select->findValue("Current"); value && value->data.size() >= 4)
      current = value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                static_cast<uint32_t>(value->data[3]) << 24;
  char name[24];
  std::snprintf(name, sizeof name, "ControlSet%03u", current);
  return name;
}

// The hive list is the kernel's: one value per loaded hive, the data the
// device form of its file, empty for memory-only hives.
void LiveRegistry::addVolatileKeys() {
  if (!isNtMachine()) return;
  for (auto& hive : hives_) {
    if (!ansiEqualNoCase(hive.mountPath, "HKEY_LOCAL_MACHINE\\SYSTEM")) continue;
    RegistryKey& list = hive.tree.root.ensurePath(currentControlSet(hive) + "\\" + kHivelistPath);
    list.values.clear();
    for (const auto& loaded : hives_) {
      std::string device = loaded.winPath.empty() ? "" : deviceFormPath(machine_, loaded.winPath);
      list.values.push_back(
          {ansiToUtf8(loaded.kernelName), registry::kRegSz,
           registry::toStoredData(registry::kRegSz, szData(device), hive.tree.stringEncoding)});
    }
  }
}

RegistryTree LiveRegistry::writableTree(const HiveMount& hive) const {
  RegistryTree tree = hive.tree;
  if (isNtMachine() && ansiEqualNoCase(hive.mountPath, "HKEY_LOCAL_MACHINE\\SYSTEM"))
    if (RegistryKey* control = tree.root.findPath(currentControlSet(hive) + "\\Control")) {
      auto& subs = control->subkeys;
      subs.erase(
          std::remove_if(subs.begin(), subs.end(),
                         [](const RegistryKey& k) { return ansiEqualNoCase(k.name, "hivelist"); }),
          subs.end());
    }
  return tree;
}

std::vector<std::string> LiveRegistry::predefinedPath(HKEY key) const {
  switch (key) {
    case HKEY_LOCAL_MACHINE:
      return {"HKEY_LOCAL_MACHINE"};
    case HKEY_USERS:
      return {"HKEY_USERS"};
    case HKEY_CLASSES_ROOT:
      return {"HKEY_LOCAL_MACHINE", isNtMachine() ? "SOFTWARE" : "Software", "Classes"};
    case HKEY_CURRENT_CONFIG:
      if (isNtMachine())
        return {"HKEY_LOCAL_MACHINE", "SYSTEM", "CurrentControlSet", "Hardware Profiles",
                "Current"};
      return {"HKEY_LOCAL_MACHINE", "Config", "0001"};
    case HKEY_DYN_DATA:
      return {"HKEY_DYN_DATA"};
    case HKEY_CURRENT_USER: {
      // The logged-on user's hive: its own mount when there is one.
      for (const auto& hive : hives_) {
        std::vector<std::string> path = splitKeyPath(hive.mountPath);
        if (path.size() != 2 || !ansiEqualNoCase(path[0], "HKEY_USERS")) continue;
        const std::string& name = path[1];
        if (ansiEqualNoCase(name, ".DEFAULT") || name == "S-1-5-19" || name == "S-1-5-20") continue;
        if (name.size() > 8 && ansiEqualNoCase(name.substr(name.size() - 8), "_Classes")) continue;
        return path;
      }
      return {"HKEY_USERS", ".DEFAULT"};
    }
  }
  return {};
}

std::optional<std::vector<std::string>> LiveRegistry::pathOf(HKEY key) const {
  if (isPredefined(key)) {
    std::vector<std::string> path = predefinedPath(key);
    if (path.empty()) return std::nullopt;
    return path;
  }
  auto it = open_.find(key);
  if (it == open_.end()) return std::nullopt;
  return it->second.path;
}

std::optional<std::string> LiveRegistry::keyPath(HKEY key) const {
  auto path = pathOf(key);
  if (!path) return std::nullopt;
  return joinKeyPath(*path);
}

std::vector<std::string> LiveRegistry::childPath(const std::vector<std::string>& parent,
                                                 std::string_view subKey) const {
  std::vector<std::string> path = parent;
  for (auto& part : splitKeyPath(subKey)) path.push_back(part);
  return path;
}

LiveRegistry::Node LiveRegistry::resolve(const std::vector<std::string>& requested) {
  std::vector<std::string> path = requested;
  Node node;
  // The mount that holds the path: the longest mount path that is a prefix.
  size_t best = 0;
  for (auto& hive : hives_) {
    std::vector<std::string> mountPath = splitKeyPath(hive.mountPath);
    if (startsWith(path, mountPath) && mountPath.size() >= best) {
      best = mountPath.size();
      node.hive = &hive;
    }
  }
  if (node.hive) {
    // NT: CurrentControlSet is a link to the current control set.
    if (isNtMachine() && ansiEqualNoCase(node.hive->mountPath, "HKEY_LOCAL_MACHINE\\SYSTEM") &&
        path.size() > best && ansiEqualNoCase(path[best], "CurrentControlSet"))
      path[best] = currentControlSet(*node.hive);
    RegistryKey* key = &node.hive->tree.root;
    for (size_t i = best; i < path.size() && key; ++i) key = findChild(*key, path[i]);
    node.key = key;
  }
  // Mounts directly below the path (HKEY_LOCAL_MACHINE's hives on NT, a profile
  // user under HKEY_USERS on 9x, classes.dat under Software on ME).
  for (const auto& hive : hives_) {
    std::vector<std::string> mountPath = splitKeyPath(hive.mountPath);
    if (mountPath.size() == path.size() + 1 && startsWith(mountPath, path))
      addUnique(node.mountChildren, mountPath.back());
  }
  if (isNtMachine() && node.key && node.hive &&
      ansiEqualNoCase(node.hive->mountPath, "HKEY_LOCAL_MACHINE\\SYSTEM") && path.size() == best)
    addUnique(node.mountChildren, "CurrentControlSet");
  return node;
}

WinError LiveRegistry::checkAccess(const std::vector<std::string>& path, uint32_t options,
                                   uint32_t access) const {
  if (!isNtMachine() || path.size() < 2 || !ansiEqualNoCase(path[0], "HKEY_LOCAL_MACHINE"))
    return WinError::Success;
  // Only the system account may open the security database; a backup program
  // reaches it with the backup-restore option and its privileges.
  bool secured =
      ansiEqualNoCase(path[1], "SECURITY") ||
      (ansiEqualNoCase(path[1], "SAM") && path.size() >= 3 && ansiEqualNoCase(path[2], "SAM"));
  if (!secured) return WinError::Success;
  if (!(options & REG_OPTION_BACKUP_RESTORE)) return WinError::AccessDenied;
  bool writes = (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
  if (!holdsPrivilege(machine_, "SeBackupPrivilege")) return WinError::AccessDenied;
  if (writes && !holdsPrivilege(machine_, "SeRestorePrivilege")) return WinError::AccessDenied;
  return WinError::Success;
}

HKEY LiveRegistry::newHandle(std::vector<std::string> path, uint32_t access) {
  HKEY handle = nextHandle_;
  nextHandle_ += 4;
  open_[handle] = OpenKey{std::move(path), access};
  return handle;
}

WinError LiveRegistry::openKeyEx(HKEY parent, std::string_view subKey, uint32_t options,
                                 uint32_t access, HKEY& result) {
  auto parentPath = pathOf(parent);
  if (!parentPath) return WinError::InvalidHandle;
  std::vector<std::string> path = childPath(*parentPath, subKey);
  if (!resolve(path).exists()) return WinError::FileNotFound;
  if (WinError denied = checkAccess(path, options, access); denied != WinError::Success)
    return denied;
  result = newHandle(std::move(path), access);
  return WinError::Success;
}

WinError LiveRegistry::createKeyEx(HKEY parent, std::string_view subKey, uint32_t options,
                                   uint32_t access, HKEY& result, bool* created) {
  auto parentPath = pathOf(parent);
  if (!parentPath) return WinError::InvalidHandle;
  std::vector<std::string> path = childPath(*parentPath, subKey);
  if (WinError denied = checkAccess(path, options, access); denied != WinError::Success)
    return denied;
  Node node = resolve(path);
  if (created) *created = false;
  if (!node.exists()) {
    if (!node.hive) return WinError::AccessDenied;  // keys can only be created inside a hive
    if (node.hive->format == HiveMount::Format::Memory && isNtMachine())
      return WinError::AccessDenied;
    size_t mountDepth = splitKeyPath(node.hive->mountPath).size();
    std::vector<std::string> inHive(path.begin() + static_cast<std::ptrdiff_t>(mountDepth),
                                    path.end());
    if (isNtMachine() && ansiEqualNoCase(node.hive->mountPath, "HKEY_LOCAL_MACHINE\\SYSTEM") &&
        !inHive.empty() && ansiEqualNoCase(inHive[0], "CurrentControlSet"))
      inHive[0] = currentControlSet(*node.hive);
    node.hive->tree.root.ensurePath(ansiToUtf8(joinKeyPath(inHive)));
    node.hive->dirty = true;
    if (created) *created = true;
  }
  result = newHandle(std::move(path), access);
  return WinError::Success;
}

WinError LiveRegistry::closeKey(HKEY key) {
  if (isPredefined(key)) return WinError::Success;
  return open_.erase(key) ? WinError::Success : WinError::InvalidHandle;
}

WinError LiveRegistry::queryValueEx(HKEY key, std::string_view name, uint32_t& type,
                                    std::vector<uint8_t>& data) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  Node node = resolve(*path);
  if (!node.exists()) return kErrorKeyDeleted;
  if (!node.key) return WinError::FileNotFound;
  const registry::RegistryValue* value = node.key->findValue(ansiToUtf8(name));
  if (!value) return WinError::FileNotFound;
  type = value->type;
  data = registry::toAnsiData(value->type, value->data, node.hive->tree.stringEncoding);
  return WinError::Success;
}

WinError LiveRegistry::setValueEx(HKEY key, std::string_view name, uint32_t type,
                                  const std::vector<uint8_t>& ansiData) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  if (!isPredefined(key) && !(open_[key].access & KEY_SET_VALUE)) return WinError::AccessDenied;
  Node node = resolve(*path);
  if (!node.key) return node.exists() ? WinError::AccessDenied : kErrorKeyDeleted;
  node.key->setValue({ansiToUtf8(name), type,
                      registry::toStoredData(type, ansiData, node.hive->tree.stringEncoding)});
  node.hive->dirty = true;
  return WinError::Success;
}

WinError LiveRegistry::deleteValue(HKEY key, std::string_view name) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  if (!isPredefined(key) && !(open_[key].access & KEY_SET_VALUE)) return WinError::AccessDenied;
  Node node = resolve(*path);
  if (!node.key) return WinError::FileNotFound;
  auto& values = node.key->values;
  std::string utf8 = ansiToUtf8(name);
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (ansiEqualNoCase(utf8ToAnsi(it->name), name)) {
      values.erase(it);
      node.hive->dirty = true;
      return WinError::Success;
    }
  }
  return WinError::FileNotFound;
}

WinError LiveRegistry::deleteKey(HKEY parent, std::string_view subKey) {
  auto parentPath = pathOf(parent);
  if (!parentPath) return WinError::InvalidHandle;
  std::vector<std::string> path = childPath(*parentPath, subKey);
  if (path.size() == parentPath->size()) return WinError::AccessDenied;
  Node node = resolve(path);
  if (!node.exists()) return WinError::FileNotFound;
  if (!node.key || !node.mountChildren.empty() ||
      splitKeyPath(node.hive->mountPath).size() >= path.size())
    return WinError::AccessDenied;  // hive roots and mount points stay
  if (isNtMachine() && !node.key->subkeys.empty()) return WinError::AccessDenied;
  std::vector<std::string> parentKeyPath(path.begin(), path.end() - 1);
  Node parentNode = resolve(parentKeyPath);
  auto& siblings = parentNode.key->subkeys;
  siblings.erase(siblings.begin() + (node.key - siblings.data()));
  parentNode.hive->dirty = true;
  return WinError::Success;
}

WinError LiveRegistry::enumKeyNames(HKEY key, std::vector<std::string>& names) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  Node node = resolve(*path);
  if (!node.exists()) return kErrorKeyDeleted;
  names.clear();
  if (node.key)
    for (const auto& sub : node.key->subkeys) addUnique(names, utf8ToAnsi(sub.name));
  for (const auto& child : node.mountChildren) addUnique(names, child);
  return WinError::Success;
}

WinError LiveRegistry::enumValueNames(HKEY key, std::vector<std::string>& names) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  Node node = resolve(*path);
  if (!node.exists()) return kErrorKeyDeleted;
  names.clear();
  if (node.key)
    for (const auto& value : node.key->values) names.push_back(utf8ToAnsi(value.name));
  return WinError::Success;
}

void LiveRegistry::flushHive(HiveMount& hive) {
  if (!hive.dirty || hive.winPath.empty() || hive.damaged()) return;
  RegistryTree tree = writableTree(hive);
  std::vector<uint8_t> bytes;
  if (hive.format == HiveMount::Format::Win9x) {
    bytes = registry::writeWin9xRegistry(tree);
  } else {
    registry::NtHiveWriteOptions options;
    options.minorVersion = machine_.version() == WindowsVersion::WinXp ? 5 : 3;
    bytes = registry::writeNtHive(tree, options);
  }
  // Written in place of the old file; its attributes (hidden, system ...) stay.
  HostLocation location = machine_.resolve(hive.winPath);
  uint32_t attributes = files_.getFileAttributes(hive.winPath);
  location.drive->checkRoomFor(host::fileSize(location.host).value_or(0), bytes.size(),
                               hive.winPath);
  replaceHostFile(location.host,
                  std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  files_.attributes().set(*location.drive, location.host, attributes | 0x20);
  hive.dirty = false;
}

WinError LiveRegistry::flushKey(HKEY key) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  Node node = resolve(*path);
  if (!node.exists()) return kErrorKeyDeleted;
  if (node.hive) {
    try {
      flushHive(*node.hive);
    } catch (const OsError& e) {
      return e.code();
    }
  }
  return WinError::Success;
}

void LiveRegistry::flushAll() {
  for (auto& hive : hives_) flushHive(hive);
}

std::vector<std::string> LiveRegistry::damagedFiles() const {
  std::vector<std::string> damaged;
  for (const auto& hive : hives_)
    if (hive.damaged()) damaged.push_back(hive.damage);
  return damaged;
}

WinError LiveRegistry::saveKey(HKEY key, std::string_view file) {
  auto path = pathOf(key);
  if (!path) return WinError::InvalidHandle;
  if (isNtMachine() && !holdsPrivilege(machine_, "SeBackupPrivilege"))
    return WinError::PrivilegeNotHeld;
  Node node = resolve(*path);
  if (!node.key) return node.exists() ? WinError::AccessDenied : kErrorKeyDeleted;
  // An empty stand-in saved as if it were the hive would pass for a backup.
  if (node.hive->damaged()) return kErrorBadRegistryFile;
  RegistryTree subtree;
  subtree.stringEncoding = node.hive->tree.stringEncoding;
  if (node.key == &node.hive->tree.root)
    subtree = writableTree(*node.hive);
  else
    subtree.root = *node.key;
  std::vector<uint8_t> bytes;
  try {
    if (node.hive->format == HiveMount::Format::Win9x) {
      bytes = registry::writeWin9xRegistry(subtree);
    } else {
      registry::NtHiveWriteOptions options;
      options.minorVersion = machine_.version() == WindowsVersion::WinXp ? 5 : 3;
      bytes = registry::writeNtHive(subtree, options);
    }
    if (files_.exists(file)) return WinError::AlreadyExists;
    FileHandle out =
        files_.createFile(file, 0x40000000 /* GENERIC_WRITE */, 0, CreationDisposition::CreateNew);
    try {
      out.write(bytes.data(), bytes.size());
      out.close();
    } catch (...) {
      out.close();
      files_.deleteFile(file);
      throw;
    }
  } catch (const OsError& e) {
    return e.code();
  } catch (const corvasta::Error&) {
    return kErrorBadRegistryFile;
  }
  return WinError::Success;
}

WinError LiveRegistry::replaceKey(HKEY parent, std::string_view subKey, std::string_view newFile,
                                  std::string_view oldFile) {
  auto parentPath = pathOf(parent);
  if (!parentPath) return WinError::InvalidHandle;
  if (isNtMachine() && !holdsPrivilege(machine_, "SeRestorePrivilege"))
    return WinError::PrivilegeNotHeld;
  std::vector<std::string> path = childPath(*parentPath, subKey);
  Node node = resolve(path);
  if (!node.exists()) return WinError::FileNotFound;
  // Only the root of a hive loaded from a file can be replaced.
  if (!node.hive || node.key != &node.hive->tree.root || node.hive->winPath.empty() ||
      splitKeyPath(node.hive->mountPath).size() != path.size())
    return WinError::AccessDenied;
  try {
    if (!files_.fileExists(newFile)) return WinError::FileNotFound;
    std::string newLong = machine_.resolve(newFile).longPath;
    std::string oldLong = machine_.resolve(oldFile).longPath;
    machine_.state().set(kReplacementSection, node.hive->winPath, newLong + "|" + oldLong);
  } catch (const OsError& e) {
    return e.code();
  }
  return WinError::Success;
}

std::vector<PendingHiveReplacement> LiveRegistry::pendingReplacements() const {
  std::vector<PendingHiveReplacement> pending;
  for (const auto& hive : hives_) {
    if (hive.winPath.empty()) continue;
    auto entry = machine_.state().get(kReplacementSection, hive.winPath);
    if (!entry || entry->empty()) continue;
    size_t bar = entry->find('|');
    pending.push_back({hive.winPath, entry->substr(0, bar),
                       bar == std::string::npos ? "" : entry->substr(bar + 1)});
  }
  return pending;
}

}  // namespace platform
