// Single files into the backup set: BackupFile, AttrCopy (attributes and
// times carried over) and TransferFile (zip, copy, unzip); the engines'
// multi-volume handlers.

#include "backup/FileArchiving.h"

#include "app/core/Core.h"
#include "archive/ZipReader.h"
#include "backup/Backup.h"
#include "backup/MissingFileHint.h"
#include "backup/MultiVolumeHost.h"
#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// " (user)" when the source lies in a user's profile under "\PROFILES\".
std::string profileOwnerSuffix(const std::string& source) {
  std::string upper = source;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string marker = "\\PROFILES\\";
  const size_t at = upper.find(marker);
  if (at == std::string::npos) return {};
  const size_t start = at + marker.size();
  const size_t end = source.find('\\', start);
  return " (" + source.substr(start, end == std::string::npos ? end : end - start) + ")";
}

void removeArrival(platform::FileSystem& files, const std::string& path) {
  try {
    if (files.fileExists(path)) files.deleteFile(path);
  } catch (const Error&) {
    // Left under its arrival name; the destination is untouched.
  }
}

bool isRestoreMode(int mode) {
  return mode == kTransferUnzip || mode == kTransferCopyRestore;
}

}  // namespace

FileArchiving::FileArchiving(Core& core, OpenFileJobs& openFiles)
    : core(core),
      openFiles(openFiles),
      multiVolumeHost(std::make_unique<ProgramMultiVolumeHost>(core)),
      multiVolumeHandlers(std::make_unique<archive::TMultiVolumeHandlers>(
          core.zipFileSystem, *multiVolumeHost, core.backupRun)) {
  multiVolumeHandlers->Attach(core.Zip1);
  multiVolumeHandlers->Attach(core.Zip2);
}

FileArchiving::~FileArchiving() = default;

void FileArchiving::SetMultiMode(archive::TZipReader& zip) {
  multiVolumeHandlers->SetMultiMode(zip);
}

void FileArchiving::advanceOverall(int step) {
  core.Form4.view.overall += step;
  core.env.ui.showProgress(core.Form4.view);
  core.env.ui.processMessages();
}

void FileArchiving::BackupFile(const std::string& source, const std::string& setDir, int mode,
                               int step) {
  core.Form4.view.item = 0;
  ProgressDivisor = 1;
  const std::string name = fileNameOf(source);
  const std::string destination = setDir + (mode == kTransferZip ? compressedName(name) : name);
  AttrCopy(source, destination, false, mode, step);
}

void FileArchiving::AttrCopy(const std::string& source, const std::string& dest, bool keep,
                             int mode, int step) {
  const bool restoring = isRestoreMode(mode);
  while (!core.env.files.fileExists(source) && restoring && core.targetIsRemovable()) {
    const int answer = core.env.ui.messageBox(
        fileNameOf(source) + " not found.  " +
            "If it is on another disk, please insert it and press Retry.",
        "Please Insert Another Disk - Corvasta", Buttons::RetryCancel, Icon::Error);
    if (answer != IDRETRY) break;
  }
  if (!core.env.files.fileExists(source)) {
    recordMissingFile(core.ErrorList, source);
    core.ErrorFlag = true;
    return;
  }
  const uint32_t sourceAttributes = core.env.files.getFileAttributes(source);
  const platform::FileTimes times = core.env.files.getFileTime(source);
  core.env.files.setFileAttributes(source, (sourceAttributes & platform::kAttributeArchive)
                                               ? platform::kAttributeArchive
                                               : platform::kAttributeNormal);
  const bool destinationExisted = core.env.files.fileExists(dest);
  const uint32_t destAttributes =
      ((destinationExisted ? core.env.files.getFileAttributes(dest) : sourceAttributes) &
       platform::kSettableAttributes) |
      platform::kAttributeArchive;
  if (destinationExisted) {
    core.env.files.setFileAttributes(dest, platform::kAttributeNormal);
    if (!restoring && !keep) core.env.files.deleteFile(dest);
  }

  TransferFile(source, dest, keep, mode, step);

  // An archive-bit backup type may have cleared the source's archive bit.
  uint32_t restored = sourceAttributes;
  if (!(core.env.files.getFileAttributes(source) & platform::kAttributeArchive))
    restored &= ~platform::kAttributeArchive;
  core.env.files.setFileAttributes(source, restored == 0 ? platform::kAttributeNormal : restored);
  if (!core.env.files.fileExists(dest)) return;
  core.env.files.setFileTime(dest, times.creation, times.lastAccess, times.lastWrite);
  core.env.files.setFileAttributes(dest, destAttributes);
}

void FileArchiving::TransferFile(const std::string& source, const std::string& dest, bool recurse,
                                 int mode, int step) {
  try {
    if (mode == kTransferZip) {
      const std::string shown = fileNameOf(dest) + profileOwnerSuffix(source);
      core.Form4.view.status = "Producing " + shown;
      core.env.ui.showProgress(core.Form4.view);
      core.Zip1.SetZipName(dest);
      core.Zip1.TempPath = core.loc.tempDir;
      core.Zip1.Recurse = recurse;
      core.Zip1.FilesList = {source};
      core.Zip1.ExcludeList.clear();
      core.Zip1.Password = core.Form8.password;
      if (core.Zip1.PackLevel != 0) {
        DoZip(dest);
        DoVerify(shown);
      } else {
        CopyDir();
      }
      core.Zip1.CloseArchive();
    } else if (mode == kTransferUnzip) {
      core.Form4.view.status = "Unzipping " + fileNameOf(source);
      core.env.ui.showProgress(core.Form4.view);
      core.Zip1.SetZipName(source);
      core.Zip1.FilesList.clear();
      core.Zip1.DestDir = folderOf(dest);
      core.Zip1.RecreateDirs = recurse;
      core.Zip1.Password = core.Form8.password;
      core.FilesBackedUp += static_cast<uint64_t>(core.Zip1.Extract());
      core.Zip1.CloseArchive();
    } else {
      core.Form4.view.status = "Copying " + fileNameOf(dest) + profileOwnerSuffix(source);
      core.env.ui.showProgress(core.Form4.view);
      copyOneFile(source, dest, mode == kTransferCopyRestore);
    }
  } catch (const Error&) {
    core.ErrorFlag = true;
    recordMissingFile(core.ErrorList, source);
    throw;
  }
  if (mode != kTransferCopyQuiet) advanceOverall(step);
}

void FileArchiving::copyOneFile(const std::string& source, const std::string& dest, bool arrive) {
  const std::string folder = folderOf(dest);
  if (!folder.empty()) core.createDirectories(folder);
  platform::FileHandle input;
  try {
    input = core.env.files.createFile(
        source, platform::kGenericRead,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
        platform::CreationDisposition::OpenExisting);
  } catch (const platform::OsError& error) {
    // In use: the open-file copy at the next start of Windows takes it when
    // enabled; otherwise it is missing from the backup.
    const bool inUse = error.code() == platform::WinError::SharingViolation;
    if (inUse && openFiles.CopyOpenFile(source, dest, -1, false, false)) return;
    core.ErrorFlag = true;
    if (inUse)
      recordMissingFile(core.ErrorList, source);
    else
      core.ErrorList.push_back("Could not read " + source);
    return;
  }
  uint64_t copied = 0;
  // Known before the copy starts: a destination the copy itself created is
  // not one Windows holds.
  const bool destinationExisted = core.env.files.fileExists(dest);
  const std::string written = arrive ? archive::TZipReader::arrivalName(dest) : dest;
  bool placing = false;
  try {
    try {
      platform::FileHandle output =
          arrive ? core.env.files.createFile(written, platform::kGenericWrite, 0,
                                             platform::CreationDisposition::CreateAlways)
                 : CreateShortFile(source, dest);
      std::vector<char> buffer(1 << 16);
      for (;;) {
        const size_t got = input.read(buffer.data(), buffer.size());
        if (got == 0) break;
        output.write(buffer.data(), got);
        copied += got;
      }
      output.close();
    } catch (const platform::OsError&) {
      // A part of the new file is no file: only the arrival name is removed.
      if (arrive) removeArrival(core.env.files, written);
      throw;
    }
    if (copied == 0 && input.size() != 0) {
      if (arrive) removeArrival(core.env.files, written);
      core.ErrorFlag = true;
      recordMissingFile(core.ErrorList, source);
      return;
    }
    if (arrive) {
      placing = true;
      try {
        PlaceShortFile(written, source, dest);
      } catch (const platform::OsError&) {
        removeArrival(core.env.files, written);
        throw;
      }
    }
  } catch (const platform::OsError&) {
    // A destination that exists but cannot be written (or, for a copy that
    // arrived beside it, replaced) is in use: it is replaced at the next
    // start of Windows. A full disk is not a file in use.
    const bool destinationInUse =
        !core.targetIsEngineCd() && destinationExisted && (!arrive || placing);
    if (destinationInUse && openFiles.CopyOpenFile(dest, source, -1, true, false)) return;
    core.ErrorFlag = true;
    core.ErrorList.push_back("Could not write " + source);
    return;
  }
  ++core.FilesBackedUp;
}

}  // namespace corvasta
