#include "archive/machine/MachineZipFileSystem.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/core/errors.h"

namespace archive {
namespace {

FileTimes toArchive(const platform::FileTimes& times) {
  return {times.creation.value, times.lastAccess.value, times.lastWrite.value};
}

// A file opened with full sharing. readAt may come from a worker thread; one
// handle serves every read, so reads are serialised.
class InputFile : public ZipInputFile {
 public:
  explicit InputFile(platform::FileHandle handle) : handle_(std::move(handle)) {}
  uint64_t size() override {
    std::lock_guard lock(mutex_);
    return handle_.size();
  }
  size_t readAt(uint64_t offset, void* buffer, size_t length) override {
    std::lock_guard lock(mutex_);
    handle_.seek(static_cast<int64_t>(offset), platform::SeekOrigin::Begin);
    size_t done = 0;
    while (done < length) {
      size_t n = handle_.read(static_cast<char*>(buffer) + done, length - done);
      if (n == 0) break;
      done += n;
    }
    return done;
  }

 private:
  std::mutex mutex_;
  platform::FileHandle handle_;
};

// Times of the archive's side as SetFileTime takes them: a 0 time is kept.
std::optional<platform::FileTime> given(FileTime t) {
  if (t == 0) return std::nullopt;
  return platform::FileTime{t};
}

class OutputFile : public ZipOutputFile {
 public:
  explicit OutputFile(platform::FileHandle handle) : handle_(std::move(handle)) {}
  void write(const void* data, size_t length) override { handle_.write(data, length); }
  bool setTimes(const FileTimes& times) override {
    handle_.setFileTime(given(times.creation), given(times.lastAccess), given(times.lastWrite));
    return true;
  }
  void close() override {
    if (handle_.isOpen()) handle_.close();
  }

 private:
  platform::FileHandle handle_;
};

}  // namespace

std::vector<FoundFile> MachineZipFileSystem::findFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  std::vector<platform::FindData> entries;
  try {
    entries = files_.findAll(pattern);
  } catch (const platform::OsError& e) {
    if (e.code() == platform::WinError::FileNotFound ||
        e.code() == platform::WinError::PathNotFound)
      return found;
    throw;
  }
  for (const auto& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    found.push_back({entry.name, entry.attributes, entry.size, toArchive(entry.times)});
  }
  return found;
}

std::unique_ptr<ZipInputFile> MachineZipFileSystem::openRead(const std::string& path) {
  return std::make_unique<InputFile>(files_.createFile(
      path, platform::kGenericRead,
      platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
      platform::CreationDisposition::OpenExisting));
}

std::unique_ptr<ZipOutputFile> MachineZipFileSystem::create(const std::string& path) {
  return std::make_unique<OutputFile>(files_.createFile(
      path, platform::kGenericWrite, 0, platform::CreationDisposition::CreateAlways));
}

std::unique_ptr<ZipOutputFile> MachineZipFileSystem::reopenHolding(const std::string& path,
                                                                   const uint8_t* data,
                                                                   size_t length) {
  // Opening for writing refuses what CREATE_ALWAYS refuses (read-only, held
  // or shared files); Windows NT also refuses to replace a hidden or system
  // file by one without those bits, as create asks. The same handle reads
  // the content: one open of the file for the question and the keeping.
  platform::FileHandle handle;
  try {
    handle = files_.createFile(path, platform::kGenericRead | platform::kGenericWrite, 0,
                               platform::CreationDisposition::OpenExisting);
  } catch (const platform::OsError& error) {
    if (error.code() == platform::WinError::FileNotFound ||
        error.code() == platform::WinError::PathNotFound)
      return nullptr;
    throw;
  }
  if (handle.size() != length) return nullptr;
  constexpr size_t kCompareChunk = size_t{1} << 20;
  compareBuffer_.resize(std::min(length, kCompareChunk));
  for (size_t done = 0; done < length;) {
    const size_t chunk = std::min(length - done, kCompareChunk);
    size_t got = 0;
    while (got < chunk) {
      const size_t n = handle.read(compareBuffer_.data() + got, chunk - got);
      if (n == 0) return nullptr;
      got += n;
    }
    if (std::memcmp(compareBuffer_.data(), data + done, chunk) != 0) return nullptr;
    done += chunk;
  }
  // The attributes the open itself found: no second look-up of the file.
  const uint32_t current = handle.attributesAtOpen().value_or(platform::kAttributeArchive);
  if (platform::isNt(files_.machine().version()) &&
      (current & (platform::kAttributeHidden | platform::kAttributeSystem)))
    throw platform::OsError(platform::WinError::AccessDenied, path);
  // The attributes a replacement gets: none but the archive bit.
  if (current != platform::kAttributeArchive)
    files_.setFileAttributes(path, platform::kAttributeArchive);
  return std::make_unique<OutputFile>(std::move(handle));
}

std::optional<uint32_t> MachineZipFileSystem::attributes(const std::string& path) {
  if (!files_.exists(path)) return std::nullopt;
  return files_.getFileAttributes(path);
}

void MachineZipFileSystem::setAttributes(const std::string& path, uint32_t attributes) {
  files_.setFileAttributes(path, attributes);
}

FileTimes MachineZipFileSystem::fileTimes(const std::string& path) {
  return toArchive(files_.getFileTime(path));
}

void MachineZipFileSystem::setFileTimes(const std::string& path, const FileTimes& times) {
  files_.setFileTime(path, given(times.creation), given(times.lastAccess), given(times.lastWrite));
}

void MachineZipFileSystem::createDirectory(const std::string& path) {
  if (files_.directoryExists(path)) return;
  files_.createDirectory(path);
}

void MachineZipFileSystem::deleteFile(const std::string& path) {
  files_.deleteFile(path);
}

void MachineZipFileSystem::moveFile(const std::string& from, const std::string& to) {
  files_.moveFile(from, to);
}

void MachineZipFileSystem::replaceFile(const std::string& from, const std::string& to) {
  files_.moveFileEx(from, to, platform::kMoveFileReplaceExisting);
}

uint64_t MachineZipFileSystem::freeSpace(const std::string& root) {
  return files_.getDiskFreeSpaceEx(root).freeBytesAvailable;
}

DriveType MachineZipFileSystem::driveType(const std::string& root) {
  switch (files_.getDriveType(root)) {
    case platform::DriveType::Removable:
      return DriveType::Removable;
    case platform::DriveType::Fixed:
      return DriveType::Fixed;
    case platform::DriveType::Remote:
      return DriveType::Remote;
    case platform::DriveType::CdRom:
      return DriveType::CdRom;
    case platform::DriveType::RamDisk:
      return DriveType::RamDisk;
    default:
      return DriveType::Unknown;
  }
}

std::string MachineZipFileSystem::volumeLabel(const std::string& root) {
  return files_.getVolumeInformation(root).label;
}

void MachineZipFileSystem::setVolumeLabel(const std::string& root, const std::string& label) {
  files_.setVolumeLabel(root, label);
}

FileTime MachineZipFileSystem::toLocalTime(FileTime utc) {
  return files_.machine().fileTimeToLocalFileTime(platform::FileTime{utc}).value;
}

FileTime MachineZipFileSystem::toUtcTime(FileTime local) {
  // The offset in force at that moment: taken at the local time read as UTC,
  // then again at the UTC time that gives, so a zone whose offset changed in
  // between (daylight saving) still turns back what toLocalTime gave.
  const platform::TimeZone& zone = files_.machine().config().timeZone;
  auto minus = [local](int64_t seconds) {
    int64_t ticks = seconds * static_cast<int64_t>(platform::kFileTimeTicksPerSecond);
    if (ticks > 0 && local < static_cast<uint64_t>(ticks)) return FileTime{0};
    return static_cast<FileTime>(static_cast<int64_t>(local) - ticks);
  };
  FileTime guess = minus(zone.offsetSecondsAt(platform::FileTime{local}));
  return minus(zone.offsetSecondsAt(platform::FileTime{guess}));
}

FileTime MachineZipFileSystem::now() {
  return platform::currentFileTime().value;
}

}  // namespace archive
