// The archive engine calls of the archiving routines with their bookkeeping:
// DoZip (files counted, volume bytes used), DoVerify, and CreateShortFile.

#include "app/Unit1.h"
#include "platform/files/file_system.h"

namespace corvasta {

void TForm1::DoZip(const std::string& displayPath) {
  const std::string name = Zip1.ZipName();
  if (env.files.fileExists(name)) {
    const uint64_t present = env.files.getFileSize(name);
    backupRun.volumeBytesUsed -= std::min(present, backupRun.volumeBytesUsed);
  }
  const size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) {
    createDirectories(name.substr(0, slash));
    env.files.setFileAttributes(name.substr(0, slash), platform::kAttributeNormal);
  }
  FilesBackedUp += static_cast<uint64_t>(Zip1.CreateArchive());

  if (Zip1.ZipName() != name && backupRun.target != archive::TargetKind::HardDiskFolder) {
    if (env.files.fileExists(Zip1.ZipName())) env.files.moveFile(Zip1.ZipName(), name);
    Zip1.SetZipName(name);
    backupRun.volumeBytesUsed = 0;
  }
  const std::string& written = Zip1.ZipName();
  const bool endsWithFirstPart =
      written.size() >= 4 && written.compare(written.size() - 4, 4, ".001") == 0;
  if (env.files.fileExists(written) &&
      (backupRun.blocksOf != 0 || (written != displayPath && !endsWithFirstPart))) {
    const uint64_t size = env.files.getFileSize(written);
    backupRun.volumeBytesUsed += targetIsEngineCd() ? size + (size + 2047) / 2048 * 2048 : size;
  }
  if (env.files.fileExists(name)) {
    Zip1.ReadDirectory();
    if (Zip1.EntryCount() == 0) {
      Zip1.CloseArchive();
      env.ui.processMessages();
      env.files.deleteFile(name);
    }
  }
}

void TForm1::DoVerify(const std::string& displayName) {
  if (!Form8.config.verifyBackup || backupRun.target != archive::TargetKind::HardDiskFolder) return;
  if (!env.files.fileExists(Zip1.ZipName())) return;
  Form4.view.status = "Verifying " + displayName;
  env.ui.showProgress(Form4.view);
  bool passed = false;
  try {
    passed = Zip1.TestArchive();
  } catch (const Error&) {
    passed = false;
  }
  if (!passed) {
    ErrorFlag = true;
    ErrorList.push_back(displayName + " could not be verified");
  }
}

platform::FileHandle TForm1::CreateShortFile(const std::string& /*source*/,
                                             const std::string& dest) {
  return env.files.createFile(dest, platform::kGenericWrite, 0,
                              platform::CreationDisposition::CreateAlways);
}

}  // namespace corvasta
