// ZipDir: a profile folder into one archive, gathered from every place
// Windows keeps it (the Windows directory, the user's profile, the folder the
// shell-folder value names, the all-users folder and, on Windows 95/98/ME, the
// other users' profiles), and back out to where each file came from.

#include <set>

#include "app/core/Core.h"
#include "app/core/RegistryString.h"
#include "backup/ArchiveFailure.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

constexpr std::string_view kCommonShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders";
// The Start Menu item archives only the "Programs" part of the start menu.
constexpr std::string_view kStartMenuValue = "Programs";

// The folders of one archive, each added once: two names of one folder (long
// and short forms, different case) are the same folder.
class FolderSet {
 public:
  FolderSet(platform::FileSystem& files, std::vector<std::string>& filesList)
      : files_(files), filesList_(filesList) {}

  void add(const std::string& folder) {
    if (folder.empty()) return;
    const std::string withSlash = CheckPath(folder);
    if (!files_.directoryExists(RemoveBackSl(withSlash))) return;
    const std::string key =
        platform::ansiUpper(ShortFileName(files_.machine(), RemoveBackSl(withSlash)));
    if (!added_.insert(key).second) return;
    filesList_.push_back(withSlash + "*.*");
  }

 private:
  platform::FileSystem& files_;
  std::vector<std::string>& filesList_;
  std::set<std::string> added_;
};

}  // namespace

void ItemArchiving::ZipDir(const std::string& archive, const std::string& keyPath, int step,
                           bool zip, platform::HKEY rootKey, const std::string& fallbackSubdir,
                           const std::string& valueName) {
  recordingArchiveFailure(core, archive, [&] {
    if (zip)
      zipProfileFolder(archive, keyPath, step, rootKey, fallbackSubdir, valueName);
    else
      unzipProfileFolder(archive, step);
  });
}

void ItemArchiving::zipProfileFolder(const std::string& archive, const std::string& keyPath,
                                     int step, platform::HKEY rootKey,
                                     const std::string& fallbackSubdir,
                                     const std::string& valueName) {
  const std::optional<std::string> own =
      readRegistryString(core.env.registry, rootKey, keyPath, valueName);
  const std::string userFolder =
      own ? CheckPath(*own) : core.loc.windowsDir + fallbackSubdir + "\\";
  std::optional<std::string> common = readRegistryString(
      core.env.registry, platform::HKEY_LOCAL_MACHINE, kCommonShellFolders, "Common " + valueName);
  if (!common && valueName == kStartMenuValue) {
    const std::optional<std::string> startup = readRegistryString(
        core.env.registry, platform::HKEY_LOCAL_MACHINE, kCommonShellFolders, "Common Startup");
    if (startup) common = pathFolder(RemoveBackSl(*startup));
  }
  const std::string commonFolder = common ? CheckPath(*common) : std::string();

  core.Zip1.SetZipName(archive);
  core.Zip1.FilesList.clear();
  core.Zip1.ExcludeList.clear();
  FolderSet folders(core.env.files, core.Zip1.FilesList);
  folders.add(core.loc.windowsDir + fallbackSubdir);
  folders.add(core.loc.userDir + fallbackSubdir);
  folders.add(userFolder);
  folders.add(commonFolder);
  core.Form4.view.status = "Producing " + pathFileName(archive);
  core.env.ui.showProgress(core.Form4.view);
  if (core.isWin9xMode())
    ZipOtherUsers(fallbackSubdir, archive, 0, kTransferZip, commonFolder, userFolder);

  archiving.ProgressDivisor = 1;
  archiving.ProgressOffset = 0;
  core.Zip1.TempPath = core.loc.tempDir;
  core.Zip1.Recurse = true;
  core.Zip1.Password = core.Form8.password;
  archiving.ArchiveOrCopy(archive, pathFileName(archive));
  core.Zip1.CloseArchive();
  archiving.advanceOverall(step);
  archiving.ProgressDivisor = 1;
}

void ItemArchiving::unzipProfileFolder(const std::string& archive, int step) {
  const std::string name = pathFileName(archive);
  while (!core.env.files.fileExists(archive)) {
    if (core.targetIsRemovable() &&
        core.env.ui.messageBox("Please insert the next disk.", name + " not Found - Corvasta",
                               Buttons::RetryCancel) == IDRETRY)
      continue;
    core.ErrorList.push_back(archive);
    core.ErrorFlag = true;
    return;
  }
  core.Form4.view.status = "Unzipping " + name;
  core.env.ui.showProgress(core.Form4.view);
  core.Zip1.SetZipName(archive);
  core.Zip1.FilesList.clear();
  core.Zip1.DestDir.clear();
  core.Zip1.RecreateDirs = true;
  core.Zip1.DoAll = true;
  askArchivePassword();
  core.Zip1.Password = core.Form8.password;
  core.FilesBackedUp += static_cast<uint64_t>(core.Zip1.Extract());
  core.Zip1.CloseArchive();
  archiving.advanceOverall(step);
}

void ItemArchiving::askArchivePassword(int entry) {
  if (!core.Form8.password.empty()) return;
  if (!core.Zip1.DirectoryRead()) core.Zip1.ReadDirectory();
  if (entry < 0 || entry >= core.Zip1.EntryCount() || !core.Zip1.EntryEncrypted(entry)) return;
  const std::optional<std::string> answer = core.env.ui.inputBox(
      "Password Needed",
      "This Backup is protected by a password.  Please enter the password here:", "", true);
  if (answer && !answer->empty()) core.Form8.password = *answer;
}

}  // namespace corvasta
