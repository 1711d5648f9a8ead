// Copy mode ("Do Not Compress"): the files of Zip1's files list, minus its
// exclude list, copied into the backup set as a folder tree named after their
// source folders, asking for further disks on removable targets.

#include <algorithm>

#include "app/core/Core.h"
#include "archive/zip_scope.h"
#include "backup/Backup.h"
#include "backup/OtherFilesSize.h"
#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"
#include "platform/files/wildcard.h"

namespace corvasta {

namespace {

struct Pattern {
  std::string folder;  // with final backslash
  std::string mask;
  bool recurse = true;
};

// ">" copies with subfolders, "|" or "\" without; no mark: with subfolders.
Pattern patternOf(const std::string& entry) {
  Pattern pattern;
  std::string path = entry;
  if (!path.empty() && path[0] == '>') {
    path.erase(0, 1);
  } else if (!path.empty() && (path[0] == '|' || path[0] == '\\')) {
    path.erase(0, 1);
    pattern.recurse = false;
  }
  const size_t slash = path.find_last_of('\\');
  pattern.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  pattern.mask = slash == std::string::npos ? path : path.substr(slash + 1);
  return pattern;
}

// The exclude list by the scope rule, a leading "\\" counting as "|".
bool excluded(const std::vector<std::string>& excludeList, const std::string& folder,
              const std::string& path) {
  for (const std::string& entry : excludeList)
    if (archive::scopeMatches(entry, folder, path, "|\\")) return true;
  return false;
}

}  // namespace

void FileArchiving::CopyDir() {
  core.Form4.view.itemMax = 100;
  core.Form4.view.item = 0;
  core.env.ui.showProgress(core.Form4.view);
  // The size estimate over the whole files list, subfolders and exclusions
  // included, as the copy below will take it.
  const SizeScan scan{core.env.files, core.env.ui, true, [this](const std::string& text) {
                        core.env.ui.messageBox(text, core.ApplicationTitle, Buttons::Ok);
                      }};
  const uint64_t total = FindSizeofZip(scan, {}, core.Zip1.FilesList, core.Zip1.ExcludeList).bytes;
  uint64_t copied = 0;
  for (const std::string& entry : core.Zip1.FilesList) {
    if (core.backupRun.cancelled) return;
    const Pattern pattern = patternOf(entry);
    CopyFolder(pattern.folder + pattern.mask, pattern.recurse, total, copied);
  }
}

void FileArchiving::CopyFolder(const std::string& patternPath, bool recurse, uint64_t totalBytes,
                               uint64_t& copiedBytes) {
  const Pattern pattern = patternOf(patternPath);
  const std::string setDir = CheckPath(core.backupRun.backupSetDir);
  for (const platform::FindData& entry : core.env.files.findAll(pattern.folder + "*.*")) {
    if (core.backupRun.cancelled) return;
    core.env.ui.processMessages();
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = pattern.folder + entry.name;
    if ((entry.attributes & platform::kAttributeDirectory)) {
      if (recurse) CopyFolder(path + "\\" + pattern.mask, recurse, totalBytes, copiedBytes);
      continue;
    }
    if (!platform::matchesWildcard(entry.name, pattern.mask)) continue;
    if (excluded(core.Zip1.ExcludeList, pattern.folder, path)) continue;
    if (core.Zip1.SkipIfArchiveBitNotSet && !(entry.attributes & platform::kAttributeArchive))
      continue;
    if (core.Zip1.ResetArchiveBitOnZip)
      core.env.files.setFileAttributes(path, entry.attributes & ~platform::kAttributeArchive);
    core.env.files
        .createFile(path, platform::kGenericRead,
                    platform::kFileShareRead | platform::kFileShareWrite,
                    platform::CreationDisposition::OpenExisting)
        .close();
    while (core.targetIsRemovable() &&
           core.env.files.getDiskFreeSpaceEx(setDir.substr(0, 3)).freeBytesAvailable < entry.size) {
      core.env.ui.restore();
      const int answer = core.env.ui.messageBox("Please insert the next disk.",
                                                "Next Disk - Corvasta", Buttons::OkCancel);
      if (answer != IDOK) {
        core.backupRun.cancelled = true;
        return;
      }
      if (core.Minimized) core.env.ui.minimize();
    }
    std::string folder = pattern.folder;
    if (core.Form8.config.backupType == kReplaceBackup)
      folder = folder.size() >= 3 ? folder.substr(3) : std::string();
    else if (folder.size() >= 2 && folder[1] == ':')
      folder.erase(1, 1);
    core.createDirectories(setDir + folder);
    AttrCopy(path, setDir + folder + entry.name, false, kTransferCopyQuiet, 0);
    copiedBytes += entry.size;
    if (totalBytes != 0)
      core.Form4.view.item =
          static_cast<int>(std::min<uint64_t>(copiedBytes * 100 / totalBytes, 100));
    core.env.ui.showProgress(core.Form4.view);
  }
}

}  // namespace corvasta
