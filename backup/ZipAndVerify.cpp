// The archive engine calls of the archiving routines with their bookkeeping:
// DoZip (files counted, volume bytes used), DoVerify, ArchiveOrCopy (an
// archive, or plain copies at pack level 0), and CreateShortFile, which keeps a
// copy's alias number equal to its source's.

#include "app/core/Core.h"
#include "backup/AliasNumbers.h"
#include "backup/ArchivePathParts.h"
#include "backup/Backup.h"
#include "platform/core/codepage.h"
#include "platform/core/short_names.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

// The alias of an existing file; empty when it has none or cannot be found.
std::string aliasOf(platform::FileSystem& files, const std::string& path) {
  try {
    for (const platform::FindData& found : files.findAll(path))
      if (platform::ansiEqualNoCase(found.name, pathFileName(path)) ||
          platform::ansiEqualNoCase(found.alternateName, pathFileName(path)))
        return found.alternateName;
  } catch (const Error&) {
    // A source that cannot be listed has no alias to keep.
  }
  return {};
}

bool aliasTaken(platform::FileSystem& files, const std::string& folder, const std::string& alias) {
  try {
    return !files.findAll(folder + alias).empty();
  } catch (const Error&) {
    return false;
  }
}

// Windows gives a new name the lowest free alias number of its folder. For the
// copy to get the source's number n, every lower number that is free gets an
// empty placeholder first; the placeholders' paths are returned.
std::vector<std::string> reserveLowerAliases(platform::FileSystem& files, const std::string& source,
                                             const std::string& dest) {
  const std::string name = pathFileName(dest);
  const std::string folder = pathFolder(dest);
  if (folder.empty() || name.size() < 2 || platform::isValidShortName(name) || files.exists(dest))
    return {};
  const std::string sourceAlias = aliasOf(files, source);
  std::optional<unsigned> number = aliasNumber(sourceAlias);
  if (!number) return {};
  // A source numbered 1 under another stem says nothing about the copy's
  // neighbours; it is given a number clear of the first few.
  constexpr unsigned kForeignStemNumber = 5;
  if (*number == 1 &&
      !platform::ansiEqualNoCase(aliasStem(sourceAlias), aliasStem(platform::makeAlias(name, 1))))
    number = kForeignStemNumber;

  std::vector<std::string> placeholders;
  size_t blanks = 1;
  try {
    for (unsigned k = 1; k < *number; ++k) {
      if (aliasTaken(files, folder, platform::makeAlias(name, k))) continue;
      while (files.exists(folder + placeholderName(name, blanks))) ++blanks;
      const std::string placeholder = folder + placeholderName(name, blanks);
      files
          .createFile(placeholder, platform::kGenericWrite, 0,
                      platform::CreationDisposition::CreateNew)
          .close();
      placeholders.push_back(placeholder);
    }
  } catch (const Error&) {
    // Out of room or a refused name: the copy is still made, under the next
    // free number.
  }
  return placeholders;
}

void removePlaceholders(platform::FileSystem& files, const std::vector<std::string>& placeholders) {
  for (const std::string& placeholder : placeholders) {
    try {
      files.deleteFile(placeholder);
    } catch (const Error&) {
      // Left behind empty; nothing refers to it.
    }
  }
}

}  // namespace

void FileArchiving::DoZip(const std::string& displayPath) {
  const std::string name = core.Zip1.ZipName();
  if (core.env.files.fileExists(name)) {
    const uint64_t present = core.env.files.getFileSize(name);
    core.backupRun.volumeBytesUsed -= std::min(present, core.backupRun.volumeBytesUsed);
  }
  const size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) {
    core.createDirectories(name.substr(0, slash));
    core.env.files.setFileAttributes(name.substr(0, slash), platform::kAttributeNormal);
  }
  core.FilesBackedUp += static_cast<uint64_t>(core.Zip1.CreateArchive());

  if (core.Zip1.ZipName() != name && core.backupRun.target != archive::TargetKind::HardDiskFolder) {
    if (core.env.files.fileExists(core.Zip1.ZipName()))
      core.env.files.moveFile(core.Zip1.ZipName(), name);
    core.Zip1.SetZipName(name);
    core.backupRun.volumeBytesUsed = 0;
  }
  const std::string& written = core.Zip1.ZipName();
  const bool endsWithFirstPart =
      written.size() >= 4 && written.compare(written.size() - 4, 4, ".001") == 0;
  if (core.env.files.fileExists(written) &&
      (core.backupRun.blocksOf != 0 || (written != displayPath && !endsWithFirstPart))) {
    const uint64_t size = core.env.files.getFileSize(written);
    core.backupRun.volumeBytesUsed +=
        core.targetIsEngineCd() ? size + (size + 2047) / 2048 * 2048 : size;
  }
  if (core.env.files.fileExists(name)) {
    core.Zip1.ReadDirectory();
    if (core.Zip1.EntryCount() == 0) {
      core.Zip1.CloseArchive();
      core.env.ui.processMessages();
      core.env.files.deleteFile(name);
    }
  }
}

void FileArchiving::DoVerify(const std::string& displayName) {
  if (!core.Form8.config.verifyBackup ||
      core.backupRun.target != archive::TargetKind::HardDiskFolder)
    return;
  if (!core.env.files.fileExists(core.Zip1.ZipName())) return;
  core.Form4.view.status = "Verifying " + displayName;
  core.env.ui.showProgress(core.Form4.view);
  bool passed = false;
  try {
    passed = core.Zip1.TestArchive();
  } catch (const Error&) {
    passed = false;
  }
  if (!passed) {
    core.ErrorFlag = true;
    core.ErrorList.push_back(displayName + " could not be verified");
  }
}

void FileArchiving::ArchiveOrCopy(const std::string& displayPath, const std::string& displayName) {
  if (core.Zip1.PackLevel != 0) {
    DoZip(displayPath);
    DoVerify(displayName);
  } else {
    CopyDir();
  }
}

platform::FileHandle FileArchiving::CreateShortFile(const std::string& source,
                                                    const std::string& dest) {
  const std::vector<std::string> placeholders = reserveLowerAliases(core.env.files, source, dest);
  platform::FileHandle created;
  try {
    created = core.env.files.createFile(dest, platform::kGenericWrite, 0,
                                        platform::CreationDisposition::CreateAlways);
  } catch (const Error&) {
    removePlaceholders(core.env.files, placeholders);
    throw;
  }
  removePlaceholders(core.env.files, placeholders);
  return created;
}

void FileArchiving::PlaceShortFile(const std::string& arrived, const std::string& source,
                                   const std::string& dest) {
  const std::vector<std::string> placeholders = reserveLowerAliases(core.env.files, source, dest);
  try {
    core.env.files.moveFileEx(arrived, dest, platform::kMoveFileReplaceExisting);
  } catch (const Error&) {
    removePlaceholders(core.env.files, placeholders);
    throw;
  }
  removePlaceholders(core.env.files, placeholders);
}

}  // namespace corvasta
