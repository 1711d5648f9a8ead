// RestoreRestorePoint: the hive copies of an XP restore point's snapshot
// folder put into the Redo directory, the users' hives numbered and mapped
// in its user.ini by the hive list of the running system, then replaced.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/NTReg.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "restore/NtRegistryRestore.h"

namespace corvasta {

namespace {

struct SnapshotHive {
  const char* snapshotName;
  const char* redoName;
};

constexpr SnapshotHive kMachineHives[] = {
    {"_REGISTRY_MACHINE_SAM", "sam"},           {"_REGISTRY_MACHINE_SECURITY", "security"},
    {"_REGISTRY_MACHINE_SOFTWARE", "software"}, {"_REGISTRY_MACHINE_SYSTEM", "system"},
    {"_REGISTRY_USER_.DEFAULT", "default"},
};

// The users' hive copies of a snapshot: the file-name prefix before the SID
// and what follows the SID in the hive list and under HKEY_USERS.
struct UserHiveKind {
  const char* prefix;
  const char* keySuffix;
};

constexpr UserHiveKind kUserHives[] = {
    {"_REGISTRY_USER_NTUSER_", ""},
    {"_REGISTRY_USER_USRCLASS_", "_Classes"},
};

}  // namespace

void NtRegistryRestore::RestoreRestorePoint(const std::string& snapshotDir) {
  if (!PreRegistryRestore(false)) {
    registryNotRestored();
    return;
  }
  platform::FileSystem& files = core.env.files;
  const std::string snapshot = CheckPath(snapshotDir);
  for (const SnapshotHive& hive : kMachineHives)
    if (files.fileExists(snapshot + hive.snapshotName))
      copyIntoRedo(snapshot + hive.snapshotName, hive.redoName);

  const std::string mapFile = redoDir() + "user.ini";
  if (files.fileExists(mapFile)) {
    files.setFileAttributes(mapFile, platform::kAttributeNormal);
    files.deleteFile(mapFile);
  }
  platform::TIniFile map(core.env.machine, mapFile);
  TNTRegistry registry(core.env.registry);
  registry.setRootKey(platform::HKEY_LOCAL_MACHINE);
  const bool haveHiveList = registry.openKey(kHiveListKey, false);
  int number = 0;
  for (const UserHiveKind& kind : kUserHives) {
    const std::string prefix = kind.prefix;
    for (const platform::FindData& entry : filesMatching(snapshot + prefix + "*")) {
      const std::string sid = entry.name.substr(prefix.size());
      const std::string keyName = sid + kind.keySuffix;
      // A user whose hive is not loaded now has nowhere to go.
      const std::string hivePath =
          haveHiveList ? registry.readString("\\REGISTRY\\USER\\" + keyName) : "";
      if (hivePath.empty()) continue;
      const std::string file = "user" + std::to_string(number);
      if (!copyIntoRedo(snapshot + entry.name, file)) continue;
      writeHiveMap(core, map, file, stripDevicePrefix(hivePath), "\\" + keyName);
      ++number;
    }
  }
  registry.closeKey();
  if (files.fileExists(mapFile)) files.setFileAttributes(mapFile, platform::kAttributeNormal);
  replaceRedoHives();
}

}  // namespace corvasta
