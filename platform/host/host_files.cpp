#include "platform/host/host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/host_error.h"
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
std::error_code writeAll(int fd, std::string_view bytes) {
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

std::error_code closeAfter(int fd, std::error_code error) {
  if (::close(fd) != 0 && !error) error = lastHostError();
  return error;
}

}  // namespace

std::optional<EntryStatus> entryStatus(const fs::path& path) {
  struct statx info {};
  if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
              &info) != 0)
    return std::nullopt;
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

std::error_code appendFile(const fs::path& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return lastHostError();
  ssize_t n = ::write(fd, bytes.data(), bytes.size());
  std::error_code error;
  if (n < 0)
    error = lastHostError();
  else if (static_cast<size_t>(n) != bytes.size())
    error = writeAll(fd, bytes.substr(static_cast<size_t>(n)));
  return closeAfter(fd, error);
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
