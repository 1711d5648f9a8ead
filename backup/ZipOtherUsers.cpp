// ZipOtherUsers: what every further user of a Windows 95, 98 or ME machine
// with user profiles adds to a backup. For the registry ("user.dat") each
// user's registry file is transferred as "user" + N and mapped in user.ini;
// for a profile folder the same folder of every further user joins Zip1's
// files list.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

// The registry file name that selects the registry variant.
constexpr const char* kUserRegistryFile = "user.dat";
// The target name for which the map of users is written.
constexpr const char* kUserRegistryTarget = "user.daz";

}  // namespace

std::vector<std::string> ItemArchiving::profileCandidates(const std::string& name) {
  std::vector<std::string> candidates{core.loc.windowsDir + name};
  const std::string profiles = core.loc.windowsDir + "Profiles\\";
  if (!core.env.files.directoryExists(profiles)) return candidates;
  for (const platform::FindData& entry : core.env.files.findAll(profiles + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    candidates.push_back(profiles + entry.name + "\\" + name);
  }
  return candidates;
}

int ItemArchiving::ZipOtherUsers(const std::string& name, const std::string& archive, int step,
                                 int mode, const std::string& commonDir,
                                 const std::string& userDir) {
  if (platform::ansiEqualNoCase(name, kUserRegistryFile))
    return zipOtherUserRegistries(archive, step, mode);
  zipOtherUserFolders(name, commonDir, userDir);
  return 0;
}

int ItemArchiving::zipOtherUserRegistries(const std::string& archive, int step, int transferMode) {
  const std::string targetFolder = folderPart(archive);
  const bool writeMap = platform::ansiEqualNoCase(lastElement(archive), kUserRegistryTarget);
  platform::TIniFile map(core.env.machine, targetFolder + "user.ini");
  const std::string extension = transferMode == kTransferZip ? ".daz" : ".dat";
  int currentUser = 0;
  int number = 0;
  for (const std::string& longCandidate : profileCandidates(kUserRegistryFile)) {
    if (!core.env.files.fileExists(longCandidate)) continue;
    const std::string candidate = ShortFileName(core.env.machine, longCandidate);
    const std::string folder = folderPart(candidate);
    const std::string numbered = "user" + std::to_string(number);
    if (!sameFolder(core.env.machine, folder, core.loc.userDir))
      archiving.AttrCopy(candidate, targetFolder + numbered + extension, true, transferMode, step);
    else
      currentUser = number;
    // Windows 98 and ME keep the Windows directory's own spare in the
    // capture's first step; Windows 95 has only these.
    if (core.WindowsMode == 1 || !sameFolder(core.env.machine, folder, core.loc.windowsDir))
      archiving.AttrCopy(candidate, folder + "user.cvk", false, kTransferCopyQuiet, 0);
    if (writeMap) map.WriteString("MultiUsers", numbered, candidate);
    ++number;
  }
  return currentUser;
}

void ItemArchiving::zipOtherUserFolders(const std::string& name, const std::string& commonDir,
                                        const std::string& userDir) {
  const std::string windowsFolder = core.loc.windowsDir + name;
  const std::string userFolder = core.loc.userDir + name;
  for (const std::string& folder : profileCandidates(name)) {
    if (!core.env.files.directoryExists(folder)) continue;
    bool known = false;
    for (const std::string& other : {windowsFolder, userFolder, userDir, commonDir})
      if (!other.empty() && sameFolder(core.env.machine, folder, other)) known = true;
    if (!known) core.Zip1.FilesList.push_back(CheckPath(folder) + "*.*");
  }
}

}  // namespace corvasta
