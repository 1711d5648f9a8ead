// BackupEntireDrive: an entire-drive Other Files entry. Each top-level folder
// of the drive becomes an archive of its own (D-WINDOWS.zip ...), the files of
// the root one more (DRoot.zip), so that a single damaged archive does not
// cost the whole drive; at pack level 0 the same lists are copied.

#include "app/core/Core.h"
#include "backup/ArchiveFailure.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

// The top-level folders of a drive, in the order the search lists them.
std::vector<std::string> topLevelFolders(platform::FileSystem& files, const std::string& root) {
  std::vector<std::string> folders;
  for (const platform::FindData& found : files.findAll(root + "*.*")) {
    if (found.name == "." || found.name == "..") continue;
    if (found.attributes & platform::kAttributeDirectory) folders.push_back(found.name);
  }
  return folders;
}

bool sameDrive(const std::string& a, const std::string& b) {
  return a.size() >= 2 && b.size() >= 2 && a[1] == ':' && b[1] == ':' &&
         std::toupper(static_cast<unsigned char>(a[0])) ==
             std::toupper(static_cast<unsigned char>(b[0]));
}

}  // namespace

std::string ItemArchiving::entireDriveTempFolder(const std::string& setDir) {
  const uint64_t tempFree = core.env.files.getDiskFreeSpaceEx(core.loc.tempDir).freeBytesAvailable;
  const uint64_t setFree = core.env.files.getDiskFreeSpaceEx(setDir).freeBytesAvailable;
  return tempFree < setFree ? setDir + "Temp\\" : core.loc.tempDir;
}

void ItemArchiving::BackupEntireDrive(char drive, int step) {
  const std::string letter(1, drive);
  const std::string root = letter + ":\\";
  const std::string setDir = CheckPath(core.backupRun.backupSetDir);
  std::vector<std::string> folders;
  try {
    folders = topLevelFolders(core.env.files, root);
  } catch (const platform::OsError&) {
    // The drive is not there: reported like a missing file; the run goes on.
    core.ErrorFlag = true;
    core.ErrorList.push_back(root);
    archiving.advanceOverall(step);
    return;
  }
  // A set written to the drive being archived must not go into its own archives.
  const std::vector<std::string> excludeSet = sameDrive(setDir, root)
                                                  ? std::vector<std::string>{">" + setDir + "*"}
                                                  : std::vector<std::string>{};
  const std::string setTemp = setDir + "Temp\\";
  const bool setTempExisted = core.env.files.directoryExists(RemoveBackSl(setTemp));
  std::string archive;
  const auto archiveInto = [&](const std::string& name, const std::string& status,
                               const std::string& tempFolder, const std::string& pattern) {
    core.Form4.view.status = status;
    core.env.ui.showProgress(core.Form4.view);
    archive = setDir + name;
    core.Zip1.SetZipName(archive);
    if (tempFolder == setTemp) core.createDirectories(RemoveBackSl(setTemp));
    core.Zip1.TempPath = tempFolder;
    core.Zip1.FilesList = {pattern};
    core.Zip1.ExcludeList = excludeSet;
    core.Zip1.Password = core.Form8.password;
    archiving.ArchiveOrCopy(setDir, name);
  };

  recordingArchiveFailure(core, archive, [&] {
    core.Zip1.Recurse = true;
    core.Form4.view.status = "Backing up " + letter;
    core.env.ui.showProgress(core.Form4.view);
    archiving.ProgressDivisor = 1 + static_cast<int>(folders.size());
    archiving.ProgressOffset = 0;
    const bool packing = core.Zip1.PackLevel != 0;
    for (const std::string& folder : folders) {
      const std::string name = letter + "-" + folder + ".zip";
      archiveInto(name, packing ? "Producing " + name : "Backing up " + root + folder,
                  entireDriveTempFolder(setDir), root + folder + "\\*");
      archiving.ProgressOffset += 100 / archiving.ProgressDivisor;
    }
    core.Zip1.Recurse = false;
    core.Zip1.CloseArchive();
    // "|": the root's own files; copy mode would otherwise take the whole drive.
    const std::string rootName = letter + "Root.zip";
    archiveInto(rootName, "Producing " + rootName, setTemp, "|" + root + "*");
    core.Zip1.CloseArchive();
  });
  if (!setTempExisted && core.env.files.directoryExists(RemoveBackSl(setTemp))) {
    try {
      core.env.files.removeDirectory(RemoveBackSl(setTemp));
    } catch (const platform::OsError&) {
      // Something was left in it; it stays.
    }
  }
  archiving.advanceOverall(step);
  archiving.ProgressDivisor = 1;
  archiving.ProgressOffset = 0;
}

}  // namespace corvasta
