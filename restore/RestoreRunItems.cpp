// The run's WinConfig and User Profile step: win.ini and system.ini, the
// WinConfig files of the mode's WinFiles list (RestoreFile) and the profile
// archives.

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "restore/ArchiveExtraction.h"
#include "restore/RestoreRun.h"

namespace corvasta {

namespace {

// A position of the WinFiles list: a single file with its destination, or
// (empty destination) an archive of the set.
struct WinFilesPosition {
  std::string name;
  std::string destination;
};

// The User Profile archives both lists end with (NT modes begin with printhood.zip).
constexpr const char* kProfileArchives[] = {"appdata.zip", "desktop.zip", "favorites.zip",
                                            "nethood.zip", "recent.zip",  "start.zip",
                                            "sendto.zip",  "iecache.zip", "ctrlpanl.zip"};

std::vector<WinFilesPosition> withProfileArchives(std::vector<WinFilesPosition> positions) {
  for (const char* name : kProfileArchives) positions.push_back({name, ""});
  return positions;
}

std::vector<WinFilesPosition> positions9x(const Core& core) {
  const std::string& root = core.loc.rootDir;
  const std::string& windows = core.loc.windowsDir;
  return withProfileArchives({{"autoexec.bat", root},
                              {"config.sys", root},
                              {"msdos.sys", root},
                              {"command.com", root},
                              {"io.sys", root},
                              {"system.cb", windows},
                              {"ttfcache", windows},
                              {"dosstart.bat", windows},
                              {core.WindowsMode == 3 ? "scanreg.ini" : "protocol.ini", windows}});
}

std::vector<WinFilesPosition> positionsNt(const Core& core) {
  const std::string& root = core.loc.rootDir;
  const std::string system32 = core.loc.windowsDir + "system32\\";
  return withProfileArchives({{"autoexec.nt", system32},
                              {"config.nt", system32},
                              {"cmd.exe", pathFolder(core.loc.commandInterpreter)},
                              {"command.com", system32},
                              {"ntldr", root},
                              {"ntdetect.com", root},
                              {"boot.ini", root},
                              {"bootfont.bin", root},
                              {"ntbootdd.sys", root},
                              {"bootsect.dos", root},
                              {"printhood.zip", ""}});
}

}  // namespace

void RestoreRun::RestoreFile(const std::string& source, const std::string& destination,
                             RestoreTransfer transferMode) {
  const bool copying =
      transferMode == RestoreTransfer::Copy || transferMode == RestoreTransfer::SystemBackupCopy;
  const std::string named =
      copying ? source : pathFolder(source) + compressedName(pathFileName(source));
  if (!core.env.files.fileExists(named)) return;
  if (copying)
    backup.archiving.AttrCopy(named, destination, false, kTransferCopyRestore, 0);
  else
    restoreOneEntry(named, destination);
}

void RestoreRun::restoreOneEntry(const std::string& archive, const std::string& destination) {
  platform::FileSystem& files = core.env.files;
  archive::TZipWriter& zip = core.Zip1;
  // As a copy would: the archive's times, and the destination's attributes
  // (the archive's when it is new) with the archive bit.
  const uint32_t archiveAttributes = files.getFileAttributes(archive);
  const platform::FileTimes times = files.getFileTime(archive);
  const bool existed = files.fileExists(destination);
  const uint32_t attributes =
      ((existed ? files.getFileAttributes(destination) : archiveAttributes) &
       platform::kSettableAttributes) |
      platform::kAttributeArchive;
  core.Form4.view.status = "Unzipping " + pathFileName(archive);
  core.env.ui.showProgress(core.Form4.view);
  try {
    zip.SetZipName(archive);
    zip.ReadDirectory();
    // A single file's archive gives that file only, whatever else it holds.
    const int match = entryNamed(zip, pathFileName(destination));
    if (match < 0) {
      zip.CloseArchive();
      recordNotRestored(core, archive, "it holds no " + pathFileName(destination));
      return;
    }
    if (existed) files.setFileAttributes(destination, platform::kAttributeNormal);
    zip.DestDir = pathFolder(destination);
    zip.RecreateDirs = false;
    ArchiveExtraction extraction(core, backup.items);
    const int written = extraction.Extract(archive, match);
    core.FilesBackedUp += static_cast<uint64_t>(written);
    zip.CloseArchive();
    if (written == 1 && files.fileExists(destination)) {
      files.setFileTime(destination, times.creation, times.lastAccess, times.lastWrite);
      files.setFileAttributes(destination, attributes);
    }
  } catch (const Error& error) {
    zip.CloseArchive();
    recordNotRestored(core, archive, error.what());
  }
}

void RestoreRun::restoreWinConfigAndProfile() {
  const std::string& set = state.setDir;
  const std::string& windows = core.loc.windowsDir;
  if (core.winCrash) {
    RestoreFile(set + "win.ini", windows + "win.ini", state.transferMode);
    RestoreFile(set + "system.ini", windows + "system.ini", state.transferMode);
  }
  const std::vector<WinFilesPosition> positions =
      core.isNtMode() ? positionsNt(core) : positions9x(core);
  const size_t lastWinConfig = core.isNtMode() ? 10 : 9;
  const bool windowsBackup = state.sourceKind == SourceKind::WindowsBackup;
  for (size_t i = 1; i <= positions.size(); ++i) {
    if (windowsBackup && i > 9) break;
    const WinFilesPosition& position = positions[i - 1];
    const bool winConfig = i <= lastWinConfig;
    if (winConfig && selected(kWinUsersBox)) {
      RestoreFile(set + position.name, position.destination + position.name, state.transferMode);
      backup.archiving.advanceOverall(state.progressStep);
    } else if (!winConfig && selected(kUserFilesBox)) {
      const bool ntCopy = core.isNtMode() && state.transferMode == RestoreTransfer::Copy;
      if (!ntCopy) {
        restoreProfileArchive(position.name);
        if (position.name == "desktop.zip" && core.env.files.fileExists(set + "desktop1.zip"))
          restoreProfileArchive("desktop1.zip");
      }
      backup.archiving.advanceOverall(state.progressStep);
    }
  }
  removeExtractDir();
}

void RestoreRun::restoreProfileArchive(const std::string& name) {
  const std::string archive = state.setDir + name;
  while (!core.env.files.fileExists(archive)) {
    if (state.sourceKind != SourceKind::Removable) return;
    if (core.env.ui.messageBox("Please insert the next disk.", name + " not Found - Corvasta",
                               Buttons::RetryCancel) == IDRETRY)
      continue;
    core.ErrorList.push_back(archive);
    core.ErrorFlag = true;
    return;
  }
  extractToStoredPaths(archive);
}

void RestoreRun::extractToStoredPaths(const std::string& archive) {
  core.Form4.view.status = "Unzipping " + pathFileName(archive);
  core.env.ui.showProgress(core.Form4.view);
  archive::TZipWriter& zip = core.Zip1;
  try {
    zip.SetZipName(archive);
    zip.FilesList.clear();
    zip.DestDir.clear();
    zip.RecreateDirs = true;
    zip.DoAll = true;
    // The files come back read-only, hidden or system as they were stored;
    // a read-only file in the way would count as one in use, so it is
    // replaced.
    zip.RetainAttributes = true;
    zip.ReplaceReadOnly = true;
    ArchiveExtraction extraction(core, backup.items);
    core.FilesBackedUp += static_cast<uint64_t>(extraction.Extract(archive));
    zip.RetainAttributes = zip.ReplaceReadOnly = false;
    zip.CloseArchive();
  } catch (const Error& error) {
    // A damaged archive or a disk request declined: what it gave stays
    // restored, the rest goes on.
    zip.RetainAttributes = zip.ReplaceReadOnly = false;
    zip.CloseArchive();
    recordNotRestored(core, archive, error.what());
  }
}

}  // namespace corvasta
