// SaveHive: one loaded NT hive written to a file with the registry's own save
// operation (backup privilege), or replaced at the next start of Windows by a
// file with the registry's replace operation (restore privilege), the
// displaced hive kept in the Undo directory.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/NTReg.h"
#include "platform/files/file_system.h"
#include "platform/system/privileges.h"

namespace corvasta {

namespace {

constexpr const char* kNoBackupPrivilege =
    "You do not have Backup Privileges.  Backup is not possible for this user.";
constexpr const char* kNoRestorePrivilege =
    "You do not have Restore Privileges.  Restore is not possible for this user.";

// Clears the attributes of a file and deletes it when it exists.
void removeIfPresent(platform::FileSystem& files, const std::string& path) {
  if (!files.fileExists(path)) return;
  files.setFileAttributes(path, platform::kAttributeNormal);
  files.deleteFile(path);
}

// The save direction: `fileName` made afresh from the key.
bool saveKeyToFile(Core& core, platform::HKEY rootKey, const std::string& keyPath,
                   const std::string& fileName) {
  try {
    removeIfPresent(core.env.files, fileName);
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

// The replace direction. The Undo directory's file of the same name (an
// earlier restore's displaced hive) makes room for the hive displaced now,
// and the new file's ".log" goes, since Windows would replay a log that
// belongs to another hive.
bool replaceKeyFromFile(Core& core, platform::HKEY rootKey, const std::string& keyPath,
                        const std::string& fileName) {
  platform::FileSystem& files = core.env.files;
  if (!files.fileExists(fileName)) return true;  // no file: that hive is left alone
  const std::string undoFile = undoDirectory(core.loc.windowsDir) + lastElement(fileName);
  try {
    removeIfPresent(files, undoFile);
    removeIfPresent(files, fileName + ".log");
  } catch (const platform::OsError&) {
    return false;
  }
  TNTRegistry registry(core.env.registry);
  registry.setRootKey(rootKey);
  const bool replaced = registry.replaceKey(keyPath, ShortFileName(core.env.machine, fileName),
                                            ShortFileName(core.env.machine, undoFile));
  registry.closeKey();
  if (replaced) ++core.FilesBackedUp;
  return replaced;
}

}  // namespace

bool RegistryCapture::SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                               const std::string& fileName) {
  // Without a token (Windows 9x) or without such a privilege the call is
  // tried as it is; a user who does not hold it cannot save or replace.
  if (platform::enablePrivilege(core.env.machine,
                                save ? "SeBackupPrivilege" : "SeRestorePrivilege") ==
      platform::PrivilegeOutcome::NotHeld) {
    core.env.ui.messageBox(save ? kNoBackupPrivilege : kNoRestorePrivilege, core.ApplicationTitle,
                           Buttons::Ok);
    return false;
  }
  return save ? saveKeyToFile(core, rootKey, keyPath, fileName)
              : replaceKeyFromFile(core, rootKey, keyPath, fileName);
}

}  // namespace corvasta
