// ZipDir: a profile folder into one archive, gathered from every place
// Windows keeps it (the Windows directory, the user's profile, the folder the
// shell-folder value names, the all-users folder and, on Windows 95/98/ME, the
// other users' profiles), and back out to where each file came from.

#include <set>

#include "app/RegistryString.h"
#include "app/Unit1.h"
#include "backup/ArchiveFailure.h"
#include "backup/ArchivePathParts.h"
#include "backup/BackupTypes.h"
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

void TForm1::ZipDir(const std::string& archive, const std::string& keyPath, int step, bool zip,
                    platform::HKEY rootKey, const std::string& fallbackSubdir,
                    const std::string& valueName) {
  recordingArchiveFailure(*this, archive, [&] {
    if (zip)
      zipProfileFolder(archive, keyPath, step, rootKey, fallbackSubdir, valueName);
    else
      unzipProfileFolder(archive, step);
  });
}

void TForm1::zipProfileFolder(const std::string& archive, const std::string& keyPath, int step,
                              platform::HKEY rootKey, const std::string& fallbackSubdir,
                              const std::string& valueName) {
  const std::optional<std::string> own =
      readRegistryString(env.registry, rootKey, keyPath, valueName);
  const std::string userFolder = own ? CheckPath(*own) : loc.windowsDir + fallbackSubdir + "\\";
  std::optional<std::string> common = readRegistryString(
      env.registry, platform::HKEY_LOCAL_MACHINE, kCommonShellFolders, "Common " + valueName);
  if (!common && valueName == kStartMenuValue) {
    const std::optional<std::string> startup = readRegistryString(
        env.registry, platform::HKEY_LOCAL_MACHINE, kCommonShellFolders, "Common Startup");
    if (startup) common = pathFolder(RemoveBackSl(*startup));
  }
  const std::string commonFolder = common ? CheckPath(*common) : std::string();

  Zip1.SetZipName(archive);
  Zip1.FilesList.clear();
  Zip1.ExcludeList.clear();
  FolderSet folders(env.files, Zip1.FilesList);
  folders.add(loc.windowsDir + fallbackSubdir);
  folders.add(loc.userDir + fallbackSubdir);
  folders.add(userFolder);
  folders.add(commonFolder);
  Form4.view.status = "Producing " + pathFileName(archive);
  env.ui.showProgress(Form4.view);
  if (isWin9xMode())
    ZipOtherUsers(fallbackSubdir, archive, 0, kTransferZip, commonFolder, userFolder);

  ProgressDivisor = 1;
  ProgressOffset = 0;
  Zip1.TempPath = loc.tempDir;
  Zip1.Recurse = true;
  Zip1.Password = Form8.password;
  ArchiveOrCopy(archive, pathFileName(archive));
  Zip1.CloseArchive();
  advanceOverall(step);
  ProgressDivisor = 1;
}

void TForm1::unzipProfileFolder(const std::string& archive, int step) {
  const std::string name = pathFileName(archive);
  while (!env.files.fileExists(archive)) {
    if (targetIsRemovable() &&
        env.ui.messageBox("Please insert the next disk.", name + " not Found - Corvasta",
                          Buttons::RetryCancel) == IDRETRY)
      continue;
    ErrorList.push_back(archive);
    ErrorFlag = true;
    return;
  }
  Form4.view.status = "Unzipping " + name;
  env.ui.showProgress(Form4.view);
  Zip1.SetZipName(archive);
  Zip1.FilesList.clear();
  Zip1.DestDir.clear();
  Zip1.RecreateDirs = true;
  Zip1.DoAll = true;
  askArchivePassword();
  Zip1.Password = Form8.password;
  FilesBackedUp += static_cast<uint64_t>(Zip1.Extract());
  Zip1.CloseArchive();
  advanceOverall(step);
}

void TForm1::askArchivePassword() {
  if (!Form8.password.empty()) return;
  Zip1.ReadDirectory();
  if (Zip1.EntryCount() == 0 || !Zip1.EntryEncrypted(0)) return;
  const std::optional<std::string> answer = env.ui.inputBox(
      "Password Needed",
      "This Backup is protected by a password.  Please enter the password here:", "", true);
  if (answer && !answer->empty()) Form8.password = *answer;
}

}  // namespace corvasta
