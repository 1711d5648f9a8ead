// Single files into the backup set: BackupFile, AttrCopy (attributes and
// times carried over) and TransferFile (zip, copy, unzip).

#include "app/Unit1.h"
#include "backup/BackupTypes.h"
#include "backup/MissingFileHint.h"
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

bool isRestoreMode(int mode) {
  return mode == kTransferUnzip || mode == kTransferCopyRestore;
}

}  // namespace

void TForm1::createDirectories(const std::string& path) {
  const std::string folder = RemoveBackSl(path);
  if (folder.size() <= 2 || env.files.directoryExists(folder)) return;
  const size_t parent = folder.find_last_of('\\');
  if (parent != std::string::npos && parent > 2) createDirectories(folder.substr(0, parent));
  env.files.createDirectory(folder);
}

void TForm1::advanceOverall(int step) {
  Form4.view.overall += step;
  env.ui.showProgress(Form4.view);
  env.ui.processMessages();
}

void TForm1::BackupFile(const std::string& source, const std::string& setDir, int mode, int step) {
  Form4.view.item = 0;
  ProgressDivisor = 1;
  const std::string name = fileNameOf(source);
  const std::string destination = setDir + (mode == kTransferZip ? compressedName(name) : name);
  AttrCopy(source, destination, false, mode, step);
}

void TForm1::AttrCopy(const std::string& source, const std::string& dest, bool keep, int mode,
                      int step) {
  const bool restoring = isRestoreMode(mode);
  while (!env.files.fileExists(source) && restoring && targetIsRemovable()) {
    const int answer = env.ui.messageBox(
        fileNameOf(source) + " not found.  " +
            "If it is on another disk, please insert it and press Retry.",
        "Please Insert Another Disk - Corvasta", Buttons::RetryCancel, Icon::Error);
    if (answer != IDRETRY) break;
  }
  if (!env.files.fileExists(source)) {
    recordMissingFile(ErrorList, source);
    ErrorFlag = true;
    return;
  }
  const uint32_t sourceAttributes = env.files.getFileAttributes(source);
  const platform::FileTimes times = env.files.getFileTime(source);
  env.files.setFileAttributes(source, (sourceAttributes & platform::kAttributeArchive)
                                          ? platform::kAttributeArchive
                                          : platform::kAttributeNormal);
  const bool destinationExisted = env.files.fileExists(dest);
  const uint32_t destAttributes =
      ((destinationExisted ? env.files.getFileAttributes(dest) : sourceAttributes) &
       platform::kSettableAttributes) |
      platform::kAttributeArchive;
  if (destinationExisted) {
    env.files.setFileAttributes(dest, platform::kAttributeNormal);
    if (!restoring && !keep) env.files.deleteFile(dest);
  }

  TransferFile(source, dest, keep, mode, step);

  // An archive-bit backup type may have cleared the source's archive bit.
  uint32_t restored = sourceAttributes;
  if (!(env.files.getFileAttributes(source) & platform::kAttributeArchive))
    restored &= ~platform::kAttributeArchive;
  env.files.setFileAttributes(source, restored == 0 ? platform::kAttributeNormal : restored);
  if (!env.files.fileExists(dest)) return;
  env.files.setFileTime(dest, times.creation, times.lastAccess, times.lastWrite);
  env.files.setFileAttributes(dest, destAttributes);
}

void TForm1::TransferFile(const std::string& source, const std::string& dest, bool recurse,
                          int mode, int step) {
  try {
    if (mode == kTransferZip) {
      const std::string shown = fileNameOf(dest) + profileOwnerSuffix(source);
      Form4.view.status = "Producing " + shown;
      env.ui.showProgress(Form4.view);
      Zip1.SetZipName(dest);
      Zip1.TempPath = loc.tempDir;
      Zip1.Recurse = recurse;
      Zip1.FilesList = {source};
      Zip1.ExcludeList.clear();
      Zip1.Password = Form8.password;
      if (Zip1.PackLevel != 0) {
        DoZip(dest);
        DoVerify(shown);
      } else {
        CopyDir();
      }
      Zip1.CloseArchive();
    } else if (mode == kTransferUnzip) {
      Form4.view.status = "Unzipping " + fileNameOf(source);
      env.ui.showProgress(Form4.view);
      Zip1.SetZipName(source);
      Zip1.FilesList.clear();
      Zip1.DestDir = folderOf(dest);
      Zip1.RecreateDirs = recurse;
      Zip1.Password = Form8.password;
      FilesBackedUp += static_cast<uint64_t>(Zip1.Extract());
      Zip1.CloseArchive();
    } else {
      Form4.view.status = "Copying " + fileNameOf(dest) + profileOwnerSuffix(source);
      env.ui.showProgress(Form4.view);
      copyOneFile(source, dest);
    }
  } catch (const Error&) {
    ErrorFlag = true;
    recordMissingFile(ErrorList, source);
    throw;
  }
  if (mode != kTransferCopyQuiet) advanceOverall(step);
}

void TForm1::copyOneFile(const std::string& source, const std::string& dest) {
  const std::string folder = folderOf(dest);
  if (!folder.empty()) createDirectories(folder);
  platform::FileHandle input;
  try {
    input = env.files.createFile(
        source, platform::kGenericRead,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
        platform::CreationDisposition::OpenExisting);
  } catch (const platform::OsError& error) {
    // In use: the open-file copy at the next start of Windows takes it when
    // enabled; otherwise it is missing from the backup.
    const bool inUse = error.code() == platform::WinError::SharingViolation;
    if (inUse && CopyOpenFile(source, dest, -1, false, false)) return;
    ErrorFlag = true;
    if (inUse)
      recordMissingFile(ErrorList, source);
    else
      ErrorList.push_back("Could not read " + source);
    return;
  }
  uint64_t copied = 0;
  // Known before the copy starts: a destination the copy itself created is
  // not one Windows holds.
  const bool destinationExisted = env.files.fileExists(dest);
  try {
    platform::FileHandle output = CreateShortFile(source, dest);
    std::vector<char> buffer(1 << 16);
    for (;;) {
      const size_t got = input.read(buffer.data(), buffer.size());
      if (got == 0) break;
      output.write(buffer.data(), got);
      copied += got;
    }
    output.close();
  } catch (const platform::OsError&) {
    // A destination that exists but cannot be written is in use: it is
    // replaced at the next start of Windows.
    const bool destinationInUse = !targetIsEngineCd() && destinationExisted;
    if (destinationInUse && CopyOpenFile(dest, source, -1, true, false)) return;
    ErrorFlag = true;
    ErrorList.push_back("Could not write " + source);
    return;
  }
  if (copied == 0 && input.size() != 0) {
    ErrorFlag = true;
    recordMissingFile(ErrorList, source);
    return;
  }
  ++FilesBackedUp;
}

}  // namespace corvasta
