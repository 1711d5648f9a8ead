#include "tests/archive/host_file_system.h"

#include <algorithm>
#include <chrono>
#include <fstream>

#include "archive/zip_masks.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace archive_test {
namespace fs = std::filesystem;
using archive::FileTime;
using platform::OsError;
using platform::WinError;

namespace {

constexpr int64_t kUnixEpochSeconds = 11644473600;
constexpr uint64_t kCluster = 512;

FileTime toFileTime(fs::file_time_type t) {
  auto sys = std::chrono::file_clock::to_sys(t);
  auto ticks =
      std::chrono::duration_cast<std::chrono::nanoseconds>(sys.time_since_epoch()).count() / 100;
  return static_cast<FileTime>(ticks + kUnixEpochSeconds * 10'000'000);
}

fs::file_time_type fromFileTime(FileTime t) {
  auto ns =
      std::chrono::nanoseconds((static_cast<int64_t>(t) - kUnixEpochSeconds * 10'000'000) * 100);
  return std::chrono::file_clock::from_sys(std::chrono::sys_time<std::chrono::nanoseconds>(ns));
}

class HostInput : public archive::ZipInputFile {
 public:
  explicit HostInput(const fs::path& p) : in_(p, std::ios::binary), size_(fs::file_size(p)) {}
  bool ok() const { return static_cast<bool>(in_); }
  uint64_t size() override { return size_; }
  size_t readAt(uint64_t offset, void* buffer, size_t length) override {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(length));
    return static_cast<size_t>(in_.gcount());
  }

 private:
  std::ifstream in_;
  uint64_t size_;
};

class HostOutput : public archive::ZipOutputFile {
 public:
  HostOutput(const fs::path& p, std::string winPath, uint64_t room)
      : out_(p, std::ios::binary | std::ios::trunc), winPath_(std::move(winPath)), room_(room) {}
  bool ok() const { return static_cast<bool>(out_); }
  void write(const void* data, size_t length) override {
    uint64_t clustersAfter = (written_ + length + kCluster - 1) / kCluster * kCluster;
    if (clustersAfter > room_) throw OsError(WinError::DiskFull, winPath_);
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(length));
    written_ += length;
    if (!out_) throw OsError(WinError::WriteFault, winPath_);
  }
  void close() override {
    out_.close();
    if (!out_) throw OsError(WinError::WriteFault, winPath_);
  }

 private:
  std::ofstream out_;
  std::string winPath_;
  uint64_t room_;
  uint64_t written_ = 0;
};

}  // namespace

void HostFileSystem::addFixedDrive(char letter, const fs::path& folder) {
  fs::create_directories(folder);
  drives_[platform::ansiUpper(letter)] = Drive{folder, false, 0, 1};
}

void HostFileSystem::addRemovableDrive(char letter, const fs::path& folder, uint64_t capacity) {
  drives_[platform::ansiUpper(letter)] = Drive{folder, true, capacity, 1};
  fs::create_directories(folder / "disk1");
}

void HostFileSystem::insertMedium(char letter, int medium) {
  Drive& d = drives_.at(platform::ansiUpper(letter));
  d.medium = medium;
  fs::create_directories(driveRoot(d));
}

int HostFileSystem::insertedMedium(char letter) const {
  return drives_.at(platform::ansiUpper(letter)).medium;
}

const HostFileSystem::Drive& HostFileSystem::drive(const std::string& winPath) const {
  if (winPath.size() < 2 || winPath[1] != ':') throw OsError(WinError::InvalidName, winPath);
  auto it = drives_.find(platform::ansiUpper(winPath[0]));
  if (it == drives_.end()) throw OsError(WinError::PathNotFound, winPath);
  return it->second;
}

fs::path HostFileSystem::driveRoot(const Drive& d) const {
  return d.removable ? d.folder / ("disk" + std::to_string(d.medium)) : d.folder;
}

std::string HostFileSystem::key(const std::string& winPath) const {
  const Drive& d = drive(winPath);
  std::string k = platform::ansiUpper(winPath);
  while (k.size() > 3 && k.back() == '\\') k.pop_back();
  return d.removable ? k + "|" + std::to_string(d.medium) : k;
}

fs::path HostFileSystem::hostPath(const std::string& winPath) const {
  fs::path result = driveRoot(drive(winPath));
  // Most paths name host entries with their exact case: one lookup instead of
  // one a component.
  std::string rest = winPath.substr(2);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  std::error_code ec;
  fs::path exact = result / fs::path(platform::ansiToUtf8(rest)).relative_path();
  if (fs::exists(exact, ec)) return exact;
  size_t start = 2;
  while (start < winPath.size()) {
    size_t end = winPath.find('\\', start);
    if (end == std::string::npos) end = winPath.size();
    std::string part = winPath.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string utf8 = platform::ansiToUtf8(part);
    fs::path next = result / utf8;
    if (!fs::exists(next, ec) && fs::is_directory(result, ec))
      if (auto found = names_.find(result, part)) next = result / *found;
    result = next;
  }
  return result;
}

std::vector<archive::FoundFile> HostFileSystem::findFiles(const std::string& pattern) {
  std::vector<archive::FoundFile> found;
  size_t slash = pattern.rfind('\\');
  std::string folder = pattern.substr(0, slash + 1), mask = pattern.substr(slash + 1);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(hostPath(folder), ec)) {
    std::string name = platform::utf8ToAnsi(entry.path().filename().string());
    if (!archive::maskMatches(mask, name)) continue;
    // One lookup of the entry for its type, size and time: listing a large
    // tree is otherwise mostly repeated lookups of the same names.
    std::error_code entryError;
    bool directory = entry.is_directory(entryError);
    archive::FoundFile file;
    file.name = name;
    if (directory) {
      file.attributes = archive::dosattr::kDirectory;
    } else {
      auto it = attributes_.find(key(folder + name));
      file.attributes = it == attributes_.end() ? archive::dosattr::kArchive : it->second;
      file.size = entry.file_size(entryError);
    }
    FileTime time = toFileTime(entry.last_write_time(entryError));
    file.times = {time, time, time};
    found.push_back(file);
  }
  return found;
}

std::unique_ptr<archive::ZipInputFile> HostFileSystem::openRead(const std::string& path) {
  if (held_.count(key(path))) throw OsError(WinError::SharingViolation, path);
  fs::path host = hostPath(path);
  if (!fs::is_regular_file(host)) throw OsError(WinError::FileNotFound, path);
  auto file = std::make_unique<HostInput>(host);
  if (!file->ok()) throw OsError(WinError::AccessDenied, path);
  return file;
}

std::unique_ptr<archive::ZipOutputFile> HostFileSystem::create(const std::string& path) {
  if (held_.count(key(path))) throw OsError(WinError::SharingViolation, path);
  fs::path host = hostPath(path);
  if (!fs::is_directory(host.parent_path())) throw OsError(WinError::PathNotFound, path);
  auto attrs = attributes(path);
  if (attrs && (*attrs & archive::dosattr::kReadOnly)) throw OsError(WinError::AccessDenied, path);
  std::error_code ec;
  fs::remove(host, ec);
  uint64_t room = drive(path).capacity ? freeSpace(path.substr(0, 3)) : UINT64_MAX;
  auto file = std::make_unique<HostOutput>(host, path, room);
  if (!file->ok()) throw OsError(WinError::AccessDenied, path);
  attributes_[key(path)] = archive::dosattr::kArchive;
  return file;
}

std::optional<uint32_t> HostFileSystem::attributes(const std::string& path) {
  // A drive that is not there holds no files, as GetFileAttributes reports.
  if (path.size() < 2 || path[1] != ':' || !drives_.count(platform::ansiUpper(path[0])))
    return std::nullopt;
  fs::path host = hostPath(path);
  std::error_code ec;
  if (!fs::exists(host, ec)) return std::nullopt;
  if (fs::is_directory(host, ec)) return archive::dosattr::kDirectory;
  auto it = attributes_.find(key(path));
  return it == attributes_.end() ? archive::dosattr::kArchive : it->second;
}

void HostFileSystem::setAttributes(const std::string& path, uint32_t attributes) {
  if (!this->attributes(path)) throw OsError(WinError::FileNotFound, path);
  attributes_[key(path)] = attributes == archive::dosattr::kNormal ? 0 : attributes;
}

archive::FileTimes HostFileSystem::fileTimes(const std::string& path) {
  std::error_code ec;
  auto t = fs::last_write_time(hostPath(path), ec);
  if (ec) throw OsError(WinError::FileNotFound, path);
  FileTime ft = toFileTime(t);
  return {ft, ft, ft};
}

void HostFileSystem::setFileTimes(const std::string& path, const archive::FileTimes& times) {
  std::error_code ec;
  fs::last_write_time(hostPath(path), fromFileTime(times.lastWrite), ec);
  if (ec) throw OsError(WinError::FileNotFound, path);
}

void HostFileSystem::createDirectory(const std::string& path) {
  fs::path host = hostPath(path);
  std::error_code ec;
  if (fs::is_directory(host, ec)) return;
  if (!fs::is_directory(host.parent_path(), ec)) throw OsError(WinError::PathNotFound, path);
  fs::create_directory(host, ec);
  if (ec) throw OsError(WinError::AccessDenied, path);
}

void HostFileSystem::deleteFile(const std::string& path) {
  if (held_.count(key(path))) throw OsError(WinError::SharingViolation, path);
  std::error_code ec;
  if (!fs::remove(hostPath(path), ec)) throw OsError(WinError::FileNotFound, path);
  attributes_.erase(key(path));
}

void HostFileSystem::moveFile(const std::string& from, const std::string& to) {
  fs::path source = hostPath(from), target = hostPath(to);
  std::error_code ec;
  if (!fs::exists(source, ec)) throw OsError(WinError::FileNotFound, from);
  if (fs::exists(target, ec)) throw OsError(WinError::AlreadyExists, to);
  fs::rename(source, target, ec);
  if (ec) {
    fs::copy_file(source, target, ec);
    if (ec) throw OsError(WinError::AccessDenied, to);
    fs::remove(source, ec);
  }
  auto attrs = attributes_.find(key(from));
  if (attrs != attributes_.end()) {
    attributes_[key(to)] = attrs->second;
    attributes_.erase(key(from));
  }
}

void HostFileSystem::replaceFile(const std::string& from, const std::string& to) {
  if (held_.count(key(to))) throw OsError(WinError::SharingViolation, to);
  auto attrs = attributes(to);
  if (attrs && (*attrs & archive::dosattr::kReadOnly)) throw OsError(WinError::AccessDenied, to);
  std::error_code ec;
  fs::rename(hostPath(from), hostPath(to), ec);
  if (ec) throw OsError(WinError::AccessDenied, to);
  uint32_t movedAttributes = archive::dosattr::kArchive;
  if (auto moved = attributes_.find(key(from)); moved != attributes_.end()) {
    movedAttributes = moved->second;
    attributes_.erase(moved);
  }
  attributes_[key(to)] = movedAttributes;
}

uint64_t HostFileSystem::freeSpace(const std::string& root) {
  const Drive& d = drive(root);
  if (!d.capacity) return uint64_t{1} << 40;
  uint64_t used = 0;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(driveRoot(d), ec))
    if (entry.is_regular_file()) used += (entry.file_size() + kCluster - 1) / kCluster * kCluster;
  // Free space comes in whole clusters.
  return used >= d.capacity ? 0 : (d.capacity - used) / kCluster * kCluster;
}

archive::DriveType HostFileSystem::driveType(const std::string& root) {
  return drive(root).removable ? archive::DriveType::Removable : archive::DriveType::Fixed;
}

std::string HostFileSystem::volumeLabel(const std::string& root) {
  auto it = labels_.find(key(root.substr(0, 3)));
  return it == labels_.end() ? "" : it->second;
}

void HostFileSystem::setVolumeLabel(const std::string& root, const std::string& label) {
  labels_[key(root.substr(0, 3))] = label;
}

FileTime HostFileSystem::now() {
  return toFileTime(fs::file_time_type::clock::now());
}

}  // namespace archive_test
