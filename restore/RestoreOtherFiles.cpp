// The run's Other Files step: every Other Files archive of the set to the
// paths stored in it, then the drive folders of an uncompressed set back to
// their drives.

#include <algorithm>
#include <set>

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "backup/ReservedArchives.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "restore/ArchiveExtraction.h"
#include "restore/RestoreRun.h"

namespace corvasta {

namespace {

// The archives of a set that are not Other Files archives.
bool isReservedArchive(const std::string& name) {
  return name == "." || name == ".." || isReservedSetArchive(name);
}

// Every file below `folder` (with its final backslash), relative to it.
void filesBelow(platform::FileSystem& files, const std::string& folder, const std::string& relative,
                std::vector<std::string>& found) {
  for (const platform::FindData& entry : files.findAll(folder + relative + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.attributes & platform::kAttributeDirectory)
      filesBelow(files, folder, relative + entry.name + "\\", found);
    else
      found.push_back(relative + entry.name);
  }
}

std::vector<std::string> driveFolders(platform::FileSystem& files, const std::string& set) {
  std::vector<std::string> folders;
  for (const platform::FindData& entry : files.findAll(set + "*.*"))
    if (entry.name != "." && entry.name != ".." &&
        (entry.attributes & platform::kAttributeDirectory))
      folders.push_back(entry.name);
  return folders;
}

// The Other Files archives of `set` not yet in `archives`, added in listing
// order; `seen` holds the upper-cased names already listed.
void listOtherFilesArchives(platform::FileSystem& files, const std::string& set,
                            std::vector<std::string>& archives, std::set<std::string>& seen) {
  for (const platform::FindData& entry : files.findAll(set + "*.zip"))
    if (!(entry.attributes & platform::kAttributeDirectory) && !isReservedArchive(entry.name) &&
        seen.insert(platform::ansiUpper(entry.name)).second)
      archives.push_back(entry.name);
}

}  // namespace

bool RestoreRun::restoreOtherFiles() {
  const std::string& set = state.setDir;
  std::vector<std::string> archives;
  std::set<std::string> seen;
  listOtherFilesArchives(core.env.files, set, archives, seen);

  // Indexes, not iterators: a removable set grows the list as it goes.
  for (size_t index = 0; index < archives.size(); ++index) {
    const std::string name = archives[index];
    const std::string archive = set + name;
    while (!core.env.files.fileExists(archive)) {
      if (state.sourceKind == SourceKind::Removable &&
          core.env.ui.messageBox("Please insert the next disk.", name + " not Found - Corvasta",
                                 Buttons::RetryCancel) == IDRETRY)
        continue;
      core.ErrorList.push_back(archive);
      core.ErrorFlag = true;
      return false;
    }
    core.Form4.view.item = 0;
    extractToStoredPaths(archive);
    // The backup writes each archive on the disk where the one before it
    // ended, so an archive after a spanned one may lie only on a later disk:
    // the disk now in the drive is looked at again for archives not seen.
    if (state.sourceKind == SourceKind::Removable)
      listOtherFilesArchives(core.env.files, set, archives, seen);
  }
  restoreDriveFolders();
  return true;
}

void RestoreRun::restoreDriveFolders() {
  platform::FileSystem& files = core.env.files;
  const std::string& set = state.setDir;
  const std::vector<std::string> folders = driveFolders(files, set);
  std::vector<std::vector<std::string>> contents;
  int total = 0;
  for (const std::string& folder : folders) {
    core.Form4.view.status = "Counting " + folder + " Files to Restore";
    core.env.ui.showProgress(core.Form4.view);
    contents.emplace_back();
    filesBelow(files, set + folder + "\\", "", contents.back());
    total += static_cast<int>(contents.back().size());
  }
  core.Form4.view.itemMax = std::max(total, 1);
  core.Form4.view.item = 0;
  for (size_t i = 0; i < folders.size(); ++i) {
    core.Form4.view.status = "Restoring " + folders[i] + " Directory";
    core.env.ui.showProgress(core.Form4.view);
    for (const std::string& relative : contents[i]) {
      const std::string source = set + folders[i] + "\\" + relative;
      const std::string destination = folders[i] + ":\\" + relative;
      try {
        backup.archiving.AttrCopy(source, destination, false, kTransferCopyQuiet, 0);
      } catch (const Error& error) {
        recordNotRestored(core, source, error.what());
      }
      ++core.Form4.view.item;
      core.env.ui.showProgress(core.Form4.view);
    }
  }
  core.Form4.view.itemMax = 100;
  backup.archiving.advanceOverall(state.progressStep);
}

}  // namespace corvasta
