// Reading an Other Files entry from the settings file, and
// BackupOtherFilesEntry: one selected entry into its archive (or copied at
// pack level 0) with its notes file; entire-drive entries go to
// BackupEntireDrive.

#include "backup/OtherFilesEntry.h"

#include <set>

#include "app/core/Core.h"
#include "backup/ArchiveFailure.h"
#include "backup/Backup.h"
#include "backup/SetNaming.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

std::string entrySection(int index) {
  return "MultiFiles" + std::to_string(index);
}

// The values of `prefix`0, `prefix`1, ... up to the first missing key.
std::vector<std::string> numberedValues(const platform::TIniFile& settings,
                                        const std::string& section, const std::string& prefix) {
  std::set<std::string> keys;
  for (const std::string& key : settings.ReadSection(section))
    keys.insert(platform::ansiUpper(key));
  std::vector<std::string> values;
  for (size_t k = 0;; ++k) {
    const std::string key = prefix + std::to_string(k);
    if (!keys.count(platform::ansiUpper(key))) break;
    values.push_back(settings.ReadString(section, key, ""));
  }
  return values;
}

}  // namespace

OtherFilesEntry readOtherFilesEntry(const platform::TIniFile& settings, int index) {
  const std::string section = entrySection(index);
  OtherFilesEntry entry;
  entry.fileName = settings.ReadString(section, "FileName", "");
  entry.path = settings.ReadString(section, "Path", "");
  entry.fileType = settings.ReadString(section, "FileType", "");
  entry.notes = settings.ReadString(section, "Notes", "");
  entry.fileTypes = numberedValues(settings, section, "FileType");
  entry.files = numberedValues(settings, section, "Files");
  entry.noteLines = numberedValues(settings, section + "Notes", "");
  return entry;
}

void ItemArchiving::BackupOtherFilesEntry(int index, int step) {
  const OtherFilesEntry entry =
      readOtherFilesEntry(platform::TIniFile(core.env.machine, core.settingsFile()), index);
  if (const std::optional<char> drive = entireDriveLetter(entry.fileName)) {
    BackupEntireDrive(*drive, step);
    return;
  }
  if (!isUsableSetName(entry.fileName)) {
    // Such a name would write outside the set, or nowhere: the entry is
    // reported and the run goes on.
    core.ErrorFlag = true;
    core.ErrorList.push_back("Other Files entry \"" + entry.fileName + "\" has no usable name");
    archiving.advanceOverall(step);
    return;
  }
  const std::string setDir = CheckPath(core.backupRun.backupSetDir);
  const std::string archiveName = entry.fileName + ".zip";
  const std::string archive = setDir + archiveName;
  recordingArchiveFailure(core, archive, [&] {
    core.Zip1.Recurse = true;
    core.Form4.view.status = core.Zip1.PackLevel != 0 ? "Producing " + archiveName
                                                      : "Backing up " + entry.fileName + " Files";
    core.env.ui.showProgress(core.Form4.view);
    core.Zip1.SetZipName(archive);
    core.Zip1.TempPath = core.loc.tempDir;
    const OtherFilesSelection selection = otherFilesSelection(entry);
    core.Zip1.FilesList = selection.filesList;
    core.Zip1.ExcludeList = selection.excludeList;
    core.Zip1.Password = core.Form8.password;
    archiving.ArchiveOrCopy(setDir, archiveName);
    if (const std::optional<std::string> notes = otherFilesNotesText(entry))
      core.Write2File(setDir + entry.fileName + "-Notes.txt", *notes);
    core.Zip1.Recurse = false;
    core.Zip1.CloseArchive();
  });
  archiving.advanceOverall(step);
}

}  // namespace corvasta
