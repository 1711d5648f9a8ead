#pragma once
// The registry of a machine as the program sees it through the Win32
// registry calls (advapi32): predefined keys, open/create/close, values,
// enumeration, flush, save key and replace key. Results are Win32 error codes
// as the calls return them (ERROR_SUCCESS ...); strings cross this interface
// as ANSI, as with the "A" functions.
//
// The hives are loaded from the machine's files when the object is made
// (registry_mounts.h). Changes are written back to their files by flushKey,
// flushAll or when the object is destroyed ("lazy writing", as Windows flushes
// its hives on its own). NT's volatile parts are synthesised and never written:
// HKLM\HARDWARE, SYSTEM\CurrentControlSet (a link to the control set that
// SYSTEM\Select\Current names) and SYSTEM\CurrentControlSet\Control\hivelist.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/registry_mounts.h"

namespace platform {

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006;

// Access rights (REGSAM) and options.
inline constexpr uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr uint32_t KEY_READ = 0x20019;
inline constexpr uint32_t KEY_WRITE = 0x20006;
inline constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;
inline constexpr uint32_t REG_OPTION_BACKUP_RESTORE = 0x0004;

// Registry error codes beyond errors.h.
inline constexpr WinError kErrorBadPathname = static_cast<WinError>(161);
inline constexpr WinError kErrorKeyDeleted = static_cast<WinError>(1018);
inline constexpr WinError kErrorBadRegistryFile = static_cast<WinError>(1009);
inline constexpr WinError kErrorNoMoreItems = static_cast<WinError>(259);

// A hive replacement recorded by replaceKey, carried out at the next boot.
struct PendingHiveReplacement {
  std::string hiveFile;  // the hive's file (long Windows path)
  std::string newFile;   // loaded from here at the next start
  std::string oldFile;   // the present file is kept here
};

class LiveRegistry {
 public:
  LiveRegistry(Machine& machine, FileSystem& files);
  ~LiveRegistry();
  LiveRegistry(const LiveRegistry&) = delete;
  LiveRegistry& operator=(const LiveRegistry&) = delete;

  WinError openKeyEx(HKEY parent, std::string_view subKey, uint32_t options, uint32_t access,
                     HKEY& result);
  WinError createKeyEx(HKEY parent, std::string_view subKey, uint32_t options, uint32_t access,
                       HKEY& result, bool* created = nullptr);
  WinError closeKey(HKEY key);
  // RegQueryValueEx: type and data; string types come as ANSI bytes.
  WinError queryValueEx(HKEY key, std::string_view name, uint32_t& type,
                        std::vector<uint8_t>& data);
  WinError setValueEx(HKEY key, std::string_view name, uint32_t type,
                      const std::vector<uint8_t>& ansiData);
  WinError deleteValue(HKEY key, std::string_view name);
  // RegDeleteKey: on NT only a key without subkeys; on Windows 9x with them.
  WinError deleteKey(HKEY parent, std::string_view subKey);
  WinError enumKeyNames(HKEY key, std::vector<std::string>& names);
  WinError enumValueNames(HKEY key, std::vector<std::string>& names);
  WinError flushKey(HKEY key);
  // RegSaveKey: a fresh, compact hive of the key's subtree; the file must not
  // exist (ERROR_ALREADY_EXISTS) and the user must hold SeBackupPrivilege.
  WinError saveKey(HKEY key, std::string_view file);
  // RegReplaceKey: `parent`\`subKey` must be the root of a hive loaded from a
  // file; `newFile` must exist; SeRestorePrivilege is needed. Records the
  // replacement for the next boot.
  WinError replaceKey(HKEY parent, std::string_view subKey, std::string_view newFile,
                      std::string_view oldFile);

  // Writes every changed hive back to its file (never a damaged one).
  void flushAll();
  // The registry files that could not be read, each as "file: what is wrong".
  std::vector<std::string> damagedFiles() const;
  const std::vector<HiveMount>& hives() const { return hives_; }
  // The canonical full name of a predefined or open key ("HKEY_USERS\.DEFAULT").
  std::optional<std::string> keyPath(HKEY key) const;
  std::vector<PendingHiveReplacement> pendingReplacements() const;

 private:
  struct OpenKey {
    std::vector<std::string> path;  // canonical, ANSI
    uint32_t access = 0;
  };
  struct Node {
    HiveMount* hive = nullptr;
    registry::RegistryKey* key = nullptr;  // nullptr: a key that only holds mounts
    std::vector<std::string> mountChildren;
    bool exists() const { return key || !mountChildren.empty(); }
  };

  std::optional<std::vector<std::string>> pathOf(HKEY key) const;
  std::vector<std::string> predefinedPath(HKEY key) const;
  Node resolve(const std::vector<std::string>& path);
  std::vector<std::string> childPath(const std::vector<std::string>& parent,
                                     std::string_view subKey) const;
  WinError checkAccess(const std::vector<std::string>& path, uint32_t options,
                       uint32_t access) const;
  HKEY newHandle(std::vector<std::string> path, uint32_t access);
  void addVolatileKeys();
  registry::RegistryTree writableTree(const HiveMount& hive) const;
  void flushHive(HiveMount& hive);
  std::string currentControlSet(const HiveMount& system) const;
  bool isNtMachine() const { return isNt(machine_.version()); }

  Machine& machine_;
  FileSystem& files_;
  std::vector<HiveMount> hives_;
  std::map<HKEY, OpenKey> open_;
  HKEY nextHandle_ = 0x100;
};

}  // namespace platform
