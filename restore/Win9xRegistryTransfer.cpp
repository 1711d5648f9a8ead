// One registry file to its place, whole or not at all; the registry files of
// the run's source; the user.ini map of a multi-user set.

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "backup/MissingFileHint.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/private_profile.h"
#include "restore/ArchiveExtraction.h"
#include "restore/Win9xRegistryRestore.h"

namespace corvasta {

namespace {

// The folder a file arrives in before it takes its name, beside the target.
constexpr const char* kArrivalFolder = "~CVNEW\\";

std::string extensionOfName(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool isRegistryCopySource(SourceKind kind) {
  return kind == SourceKind::SpareRegistry || kind == SourceKind::OriginalRegistry ||
         kind == SourceKind::PlainRegistry;
}

void removeQuietly(platform::FileSystem& files, const std::string& path) {
  try {
    if (!files.fileExists(path)) return;
    files.setFileAttributes(path, platform::kAttributeNormal);
    files.deleteFile(path);
  } catch (const platform::OsError&) {
    // Nothing refers to a file left here.
  }
}

// The Temp folder of a drive root ("C:\Temp\"), where the registry files
// wait for the next start.
bool isTemporaryFolder(const std::string& folder) {
  return folder.size() == 8 && folder[1] == ':' &&
         platform::ansiEqualNoCase(folder.substr(2), "\\Temp\\");
}

}  // namespace

std::string Win9xRegistryRestore::userSource() const {
  if (state.sourceKind == SourceKind::WindowsBackup) return state.setDir + "user.dat";
  return state.userPath;
}

std::string Win9xRegistryRestore::systemSource() const {
  if (state.sourceKind == SourceKind::WindowsBackup) return state.setDir + "system.dat";
  if (isRegistryCopySource(state.sourceKind) && !state.setClassified) return state.systemPath;
  return state.setDir + "system" + extensionOfName(state.userFileName);
}

std::string Win9xRegistryRestore::classesSource() const {
  switch (state.sourceKind) {
    case SourceKind::WindowsBackup:
      return state.setDir + "classes.dat";
    case SourceKind::SpareRegistry:
      return core.loc.windowsDir + "classes.cvk";
    case SourceKind::OriginalRegistry:
    case SourceKind::PlainRegistry:
      // Windows ME keeps no original or previous classes.dat.
      if (!state.setClassified) return {};
      break;
    default:
      break;
  }
  return state.setDir + "classes" + extensionOfName(state.userFileName);
}

std::string Win9xRegistryRestore::userTarget() const {
  const std::string& dir = state.sourceKind == SourceKind::WindowsBackup && core.WindowsMode != 3
                               ? core.loc.windowsDir
                               : core.loc.userDir;
  return dir + "user.dat";
}

std::string Win9xRegistryRestore::tempFolder(const std::string& forDirectory) const {
  if (core.WindowsMode != 3) return core.loc.rootDir + "Temp\\";
  return forDirectory.substr(0, 3) + "Temp\\";
}

void Win9xRegistryRestore::advance(int step) {
  backup.archiving.advanceOverall(step);
}

void Win9xRegistryRestore::askForMissing(const std::string& source, const std::string& press) {
  while (!core.env.files.fileExists(source) && core.targetIsRemovable()) {
    const int answer = core.env.ui.messageBox(
        source + " could not be found.  Please insert the disk with this file and press " + press +
            ".  Retry?",
        "File Not Found - Corvasta", Buttons::YesNo, Icon::Error);
    if (answer != IDYES) return;
  }
}

bool Win9xRegistryRestore::transferRegistryFile(const std::string& source,
                                                const std::string& target) {
  platform::FileSystem& files = core.env.files;
  if (!files.fileExists(source)) {
    recordMissingFile(core.ErrorList, source);
    core.ErrorFlag = true;
    return false;
  }
  const std::string folder = pathFolder(target);
  const std::string arrival = folder + kArrivalFolder;
  const std::string arrived = arrival + pathFileName(target);
  // A temporary registry file left by an earlier run must not go in place
  // when this one does not arrive.
  if (isTemporaryFolder(folder)) removeQuietly(files, target);
  const uint64_t filesBefore = core.FilesBackedUp;
  const size_t errorsBefore = core.ErrorList.size();
  try {
    // A full disk may refuse even the folder: an error line like any other.
    core.createDirectories(arrival);
    removeQuietly(files, arrived);
    if (unzipping()) {
      // A registry archive holds one file: the entry named like the target
      // or, in an archive of one entry, that entry (the capture stores the
      // spare copy, user.cvk or system.cvk, under its own name). Nothing else
      // a damaged or foreign archive holds is taken.
      archive::TZipWriter& zip = core.Zip1;
      zip.SetZipName(source);
      zip.ReadDirectory();
      int match = entryNamed(zip, pathFileName(target));
      if (match < 0 && zip.EntryCount() == 1) match = 0;
      if (match < 0) {
        zip.CloseArchive();
        recordNotRestored(core, source, "it holds no " + pathFileName(target));
      } else {
        zip.DestDir = arrival;
        zip.RecreateDirs = false;
        ArchiveExtraction extraction(core, backup.items);
        const std::string landed = arrival + zip.EntryName(match);
        core.FilesBackedUp += static_cast<uint64_t>(extraction.Extract(source, match));
        zip.CloseArchive();
        if (!platform::ansiEqualNoCase(landed, arrived) && files.fileExists(landed))
          files.moveFile(landed, arrived);
      }
    } else {
      backup.archiving.AttrCopy(source, arrived, false, kTransferCopyQuiet, 0);
    }
  } catch (const Error& error) {
    core.Zip1.CloseArchive();
    removeQuietly(files, arrived);
    recordNotRestored(core, source, error.what());
    return false;
  }
  const bool whole = files.fileExists(arrived) && core.ErrorList.size() == errorsBefore &&
                     core.FilesBackedUp > filesBefore;
  if (!whole) {
    removeQuietly(files, arrived);
    if (core.ErrorList.size() == errorsBefore) recordNotRestored(core, source, "not restored");
    core.ErrorFlag = true;
    return false;
  }
  try {
    // Replaced in one step: the old file stays until the new one takes its name.
    if (files.fileExists(target)) files.setFileAttributes(target, platform::kAttributeNormal);
    const uint32_t attributes = files.getFileAttributes(arrived);
    files.setFileAttributes(arrived, platform::kAttributeNormal);
    files.moveFileEx(arrived, target, platform::kMoveFileReplaceExisting);
    files.setFileAttributes(target, attributes);
  } catch (const platform::OsError& error) {
    removeQuietly(files, arrived);
    recordNotRestored(core, source, error.what());
    return false;
  }
  try {
    files.removeDirectory(RemoveBackSl(arrival));
  } catch (const platform::OsError&) {
    // An empty folder left beside the file that arrived.
  }
  return true;
}

bool Win9xRegistryRestore::hasUserIni() const {
  return state.sourceKind != SourceKind::WindowsBackup &&
         core.env.files.fileExists(state.setDir + "user.ini");
}

bool Win9xRegistryRestore::isCurrentUser(const std::string& entry) const {
  // The map holds 8.3 paths; the profile directory may be known by its long name.
  const platform::Machine& machine = core.env.machine;
  return platform::ansiEqualNoCase(ShortFileName(machine, RemoveBackSl(pathFolder(entry))),
                                   ShortFileName(machine, RemoveBackSl(core.loc.userDir)));
}

std::vector<std::string> Win9xRegistryRestore::multiUserEntries() const {
  std::vector<std::string> entries;
  platform::FileSystem& files = core.env.files;
  for (int i = 0;; ++i) {
    const std::string entry = platform::getPrivateProfileString(
        core.env.machine, "MultiUsers", "user" + std::to_string(i), "", state.setDir + "user.ini");
    if (entry.empty()) break;
    // A set may come from anywhere: its map must not send a registry file
    // to any other place than a user.dat on one of this machine's drives.
    bool accepted = entry.size() > 3 && entry[1] == ':' && entry[2] == '\\' &&
                    platform::ansiEqualNoCase(pathFileName(entry), "user.dat") &&
                    entry.find("\\..\\") == std::string::npos &&
                    entry.find("\\.\\") == std::string::npos;
    if (accepted) {
      const platform::DriveType type = files.getDriveType(entry.substr(0, 3));
      accepted = type != platform::DriveType::Unknown && type != platform::DriveType::NoRootDir;
    }
    if (!accepted) {
      recordNotRestored(core, state.setDir + "user.ini: user" + std::to_string(i) + "=" + entry,
                        "not a user.dat on a drive of this computer");
      entries.push_back({});
      continue;
    }
    entries.push_back(entry);
  }
  return entries;
}

bool Win9xRegistryRestore::restoreUserFiles(const std::string& tempUser) {
  if (!hasUserIni()) {
    const bool arrived = transferRegistryFile(userSource(), tempUser);
    restoreOtherProfiles(tempUser);
    return arrived;
  }
  const std::string ext = unzipping() ? ".daz" : ".dat";
  bool arrived = false;
  const std::vector<std::string> entries = multiUserEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string file = state.setDir + "user" + std::to_string(i) + ext;
    if (!core.env.files.fileExists(file)) {
      if (unzipping()) continue;
      break;
    }
    if (entries[i].empty()) continue;  // refused above
    if (isCurrentUser(entries[i]))
      arrived = transferRegistryFile(file, tempUser) || arrived;
    else
      transferRegistryFile(file, entries[i]);
  }
  return arrived;
}

void Win9xRegistryRestore::restoreOtherProfiles(const std::string& tempUser) {
  // Only Windows' own registry copies keep one per profile; a program set
  // names its other users in user.ini.
  if (state.setClassified) return;
  if (state.sourceKind != SourceKind::PlainRegistry &&
      state.sourceKind != SourceKind::SpareRegistry)
    return;
  const std::string profiles = core.loc.windowsDir + "Profiles\\";
  if (!core.env.files.directoryExists(profiles)) return;
  const std::string ext = extensionOfName(state.userFileName);
  for (const platform::FindData& entry : core.env.files.findAll(profiles + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (!(entry.attributes & platform::kAttributeDirectory)) continue;
    const std::string folder = profiles + entry.name + "\\";
    if (!core.env.files.fileExists(folder + "user.dat")) continue;
    const std::string source = folder + "user" + ext;
    const std::string target = isCurrentUser(folder + "user.dat") ? tempUser : folder + "user.dat";
    // A copy onto itself would only put the file at risk.
    if (platform::ansiEqualNoCase(source, target)) continue;
    transferRegistryFile(source, target);
  }
}

}  // namespace corvasta
