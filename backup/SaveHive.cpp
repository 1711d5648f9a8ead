// SaveHive: one loaded NT hive written to a file with the registry's own save
// operation, with the backup privilege enabled first.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/NTReg.h"
#include "platform/files/file_system.h"
#include "platform/system/privileges.h"

namespace corvasta {

namespace {

constexpr const char* kNoBackupPrivilege =
    "You do not have Backup Privileges.  Backup is not possible for this user.";

}  // namespace

bool RegistryCapture::SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                               const std::string& fileName) {
  if (!save) throw Error(kNtRegistryRestoreNotAvailable);
  // Without a token (Windows 9x) or without such a privilege the save is
  // tried as it is; a user who does not hold it cannot save at all.
  if (platform::enablePrivilege(core.env.machine, "SeBackupPrivilege") ==
      platform::PrivilegeOutcome::NotHeld) {
    core.env.ui.messageBox(kNoBackupPrivilege, core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  try {
    if (core.env.files.fileExists(fileName)) {
      core.env.files.setFileAttributes(fileName, platform::kAttributeNormal);
      core.env.files.deleteFile(fileName);
    }
  } catch (const platform::OsError&) {
    return false;  // an old file in the way that cannot go: this hive fails alone
  }
  TNTRegistry registry(core.env.registry);
  registry.setRootKey(rootKey);
  const bool saved = registry.saveKey(keyPath, fileName);
  registry.closeKey();
  if (saved) ++core.FilesBackedUp;
  return saved;
}

}  // namespace corvasta
