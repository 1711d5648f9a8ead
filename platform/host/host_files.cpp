#include "platform/host/host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/host_crash_point.h"
#include "platform/host/host_error.h"
#include "platform/host/host_statx.h"
#include "platform/host/host_timespec.h"

namespace platform::host {

namespace fs = std::filesystem;

namespace {

std::error_code resultOf(int status) {
  return status == 0 ? std::error_code() : lastHostError();
}

HostTime hostTimeOf(const struct statx_timestamp& t) {
  return HostTime{static_cast<int64_t>(t.tv_sec), t.tv_nsec};
}

// Writes all of `bytes` to `fd`, retrying after interruptions.
std::error_code writeAllUncounted(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastHostError();
    if (n == 0) return std::make_error_code(std::errc::io_error);
    done += static_cast<size_t>(n);
  }
  return {};
}

// The same, as one write of the crash point's count.
std::error_code writeAll(int fd, std::string_view bytes) {
  WriteAllowance allowance = countWrite(bytes.size());
  std::error_code error = writeAllUncounted(fd, bytes.substr(0, allowance.bytes));
  if (allowance.crashAfter) crashNow();
  return error;
}

std::error_code closeAfter(int fd, std::error_code error) {
  if (::close(fd) != 0 && !error) error = lastHostError();
  return error;
}

}  // namespace

EntryStatus statusFromStatx(const struct statx& info) {
  EntryStatus status;
  status.kind = S_ISDIR(info.stx_mode)   ? EntryKind::Directory
                : S_ISREG(info.stx_mode) ? EntryKind::File
                                         : EntryKind::Other;
  status.size = status.kind == EntryKind::Directory ? 0 : info.stx_size;
  status.lastAccess = hostTimeOf(info.stx_atime);
  status.lastWrite = hostTimeOf(info.stx_mtime);
  if (info.stx_mask & STATX_BTIME) status.birth = hostTimeOf(info.stx_btime);
  status.identity = FileIdentity{makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino};
  return status;
}

std::optional<EntryStatus> entryStatus(const fs::path& path) {
  struct statx info {};
  if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, kStatusFields, &info) != 0)
    return std::nullopt;
  return statusFromStatx(info);
}

bool entryExists(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

EntryKind kindOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return EntryKind::None;
  return S_ISDIR(info.st_mode)   ? EntryKind::Directory
         : S_ISREG(info.st_mode) ? EntryKind::File
                                 : EntryKind::Other;
}

bool isDirectory(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRegularFile(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<uint64_t> fileSize(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

FileIdentity fileIdentity(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

std::optional<FileIdentity> folderIdentity(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

bool isEmptyDirectory(const fs::path& path) {
  std::error_code ec;
  return fs::is_empty(path, ec) && !ec;
}

fs::path absolutePath(const fs::path& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  return (ec ? path : absolute).lexically_normal();
}

std::optional<std::string> readFile(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  while (true) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return content;
}

std::error_code writeFile(const fs::path& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return lastHostError();
  return closeAfter(fd, writeAll(fd, bytes));
}

namespace {

int openForAppending(const fs::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

// One write for the whole record where the host takes it at once (it does
// for regular files), so records of two writers never interleave.
std::error_code appendRecord(int fd, std::string_view bytes) {
  WriteAllowance allowance = countWrite(bytes.size());
  if (allowance.crashAfter) {
    writeAllUncounted(fd, bytes.substr(0, allowance.bytes));
    crashNow();
  }
  ssize_t n = ::write(fd, bytes.data(), bytes.size());
  if (n < 0) return lastHostError();
  if (static_cast<size_t>(n) != bytes.size())
    return writeAllUncounted(fd, bytes.substr(static_cast<size_t>(n)));
  return {};
}

}  // namespace

std::error_code appendFile(const fs::path& path, std::string_view bytes) {
  int fd = openForAppending(path);
  if (fd < 0) return lastHostError();
  return closeAfter(fd, appendRecord(fd, bytes));
}

namespace {

// Cuts the file at the end of its last complete line when it does not end in
// one.
std::error_code dropUnfinishedLine(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return lastHostError();
  off_t end = info.st_size;
  char last = '\n';
  if (end == 0 || ::pread(fd, &last, 1, end - 1) != 1 || last == '\n') return {};
  char buffer[4096];
  off_t cut = end;
  while (cut > 0) {
    off_t start = cut > static_cast<off_t>(sizeof buffer) ? cut - sizeof buffer : 0;
    ssize_t n = ::pread(fd, buffer, static_cast<size_t>(cut - start), start);
    if (n <= 0) return lastHostError();
    for (ssize_t i = n; i > 0; --i)
      if (buffer[i - 1] == '\n') return resultOf(::ftruncate(fd, start + i));
    cut = start;
  }
  return resultOf(::ftruncate(fd, 0));
}

}  // namespace

std::error_code appendLine(const fs::path& path, std::string_view line) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return lastHostError();
  std::error_code error = dropUnfinishedLine(fd);
  return closeAfter(fd, error ? error : appendRecord(fd, line));
}

AppendFile::AppendFile(fs::path path) : path_(std::move(path)) {}

AppendFile::~AppendFile() {
  close();
}

void AppendFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::error_code AppendFile::append(std::string_view bytes) {
  if (fd_ >= 0) {
    // Still the file of that name? Another writer may have renamed a new
    // file over it, or removed it.
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0 ||
        FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)} !=
            identity_)
      close();
  }
  if (fd_ < 0) {
    fd_ = openForAppending(path_);
    if (fd_ < 0 && errno == ENOENT) {
      if (std::error_code error = makeDirectories(path_.parent_path())) return error;
      fd_ = openForAppending(path_);
    }
    if (fd_ < 0) return lastHostError();
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
      std::error_code error = lastHostError();
      close();
      return error;
    }
    identity_ =
        FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  }
  return appendRecord(fd_, bytes);
}

std::error_code replaceFile(const fs::path& path, std::string_view bytes) {
  fs::path temp = path;
  temp += ".~tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return lastHostError();
  std::error_code error = writeAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = lastHostError();
  error = closeAfter(fd, error);
  if (error && error != std::errc::no_space_on_device)
    error = std::make_error_code(std::errc::io_error);
  if (!error) countRename();
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = lastHostError();
  if (error) ::unlink(temp.c_str());
  return error;
}

std::error_code removeFile(const fs::path& path) {
  return resultOf(::unlink(path.c_str()));
}

std::error_code removeDirectory(const fs::path& path) {
  return resultOf(::rmdir(path.c_str()));
}

std::error_code renameEntry(const fs::path& from, const fs::path& to) {
  countRename();
  return resultOf(::rename(from.c_str(), to.c_str()));
}

std::error_code makeDirectory(const fs::path& path) {
  return resultOf(::mkdir(path.c_str(), 0755));
}

std::error_code makeDirectories(const fs::path& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return ec;
}

std::error_code setTimes(const fs::path& path, std::optional<HostTime> lastAccess,
                         std::optional<HostTime> lastWrite, FollowLinks follow) {
  timespec times[2] = {timespecOf(lastAccess), timespecOf(lastWrite)};
  return resultOf(::utimensat(AT_FDCWD, path.c_str(), times,
                              follow == FollowLinks::Yes ? 0 : AT_SYMLINK_NOFOLLOW));
}

}  // namespace platform::host
