#pragma once
// The archives of a backup's items beyond single files: the user-profile
// folders (in both directions), the other users of a Windows 95/98/ME
// machine, the Control Panel group, Other Files entries and entire drives.

#include <string>
#include <vector>

#include "platform/live_registry/live_registry.h"

namespace corvasta {

class Core;
class FileArchiving;

class ItemArchiving {
 public:
  ItemArchiving(Core& core, FileArchiving& archiving) : core(core), archiving(archiving) {}

  // A profile folder. zip true: the value `valueName` under `rootKey`\`keyPath`
  // (else the Windows directory's `fallbackSubdir`), the same subfolder of the
  // Windows and user directories, the all-users folder and, on Windows
  // 95/98/ME, the other profiles' into `archive`. zip false: `archive` back to
  // the stored full paths.
  void ZipDir(const std::string& archive, const std::string& keyPath, int step, bool zip,
              platform::HKEY rootKey, const std::string& fallbackSubdir,
              const std::string& valueName);
  void zipProfileFolder(const std::string& archive, const std::string& keyPath, int step,
                        platform::HKEY rootKey, const std::string& fallbackSubdir,
                        const std::string& valueName);
  void unzipProfileFolder(const std::string& archive, int step);
  // Asks "Password Needed" when no password is set and Zip1's entry `entry`
  // (by default the first) is encrypted.
  void askArchivePassword(int entry = 0);
  // Every further user of a Windows 95/98/ME machine with profiles. With name
  // "user.dat" each user's registry file goes to the archive's folder as
  // "user" + N (".daz" in zip transfer mode, ".dat" in copy mode), with spare
  // "user.cvk" copies and the `MultiUsers` map in that folder's user.ini;
  // returns the current user's N. Any other name is a profile folder: the
  // same folder of every further profile joins Zip1's files list (0 returned).
  // `mode` is the transfer mode; `commonDir` and `userDir` are the all-users
  // and the user's folders the caller archives itself.
  int ZipOtherUsers(const std::string& name, const std::string& archive, int step, int mode,
                    const std::string& commonDir, const std::string& userDir);
  // The Windows directory's `name`, then Profiles\<entry>\`name` for every
  // entry of the Profiles folder, in the order listed.
  std::vector<std::string> profileCandidates(const std::string& name);
  int zipOtherUserRegistries(const std::string& archive, int step, int transferMode);
  void zipOtherUserFolders(const std::string& name, const std::string& commonDir,
                           const std::string& userDir);
  // The Control Panel group into ctrlpanl.zip of the set.
  void BackupControlPanel(int step);
  std::vector<std::string> controlPanelFiles() const;
  // Other Files entry `index` (section MultiFiles<index>); an entire-drive
  // entry goes to BackupEntireDrive.
  void BackupOtherFilesEntry(int index, int step);
  void BackupEntireDrive(char drive, int step);
  // Where an entire-drive archive is built: the set's Temp folder when the
  // temporary directory's drive has less room than the set's.
  std::string entireDriveTempFolder(const std::string& setDir);

  Core& core;
  FileArchiving& archiving;
};

}  // namespace corvasta
