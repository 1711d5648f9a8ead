// SaveHive: one loaded NT hive written to a file with the registry's own save
// operation, with the backup privilege enabled first.

#include "app/Unit1.h"
#include "backup/NTReg.h"
#include "platform/files/file_system.h"
#include "platform/system/privileges.h"

namespace corvasta {

namespace {

constexpr const char* kNoBackupPrivilege =
    "You do not have Backup Privileges.  Backup is not possible for this user.";

}  // namespace

bool TForm1::SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                      const std::string& fileName) {
  if (!save) throw Error(kNtRegistryRestoreNotAvailable);
  // Without a token (Windows 9x) or without such a privilege the save is
  // tried as it is; a user who does not hold it cannot save at all.
  if (platform::enablePrivilege(env.machine, "SeBackupPrivilege") ==
      platform::PrivilegeOutcome::NotHeld) {
    env.ui.messageBox(kNoBackupPrivilege, ApplicationTitle, Buttons::Ok);
    return false;
  }
  try {
    if (env.files.fileExists(fileName)) {
      env.files.setFileAttributes(fileName, platform::kAttributeNormal);
      env.files.deleteFile(fileName);
    }
  } catch (const platform::OsError&) {
    return false;  // an old file in the way that cannot go: this hive fails alone
  }
  TNTRegistry registry(env.registry);
  registry.setRootKey(rootKey);
  const bool saved = registry.saveKey(keyPath, fileName);
  registry.closeKey();
  if (saved) ++FilesBackedUp;
  return saved;
}

}  // namespace corvasta
