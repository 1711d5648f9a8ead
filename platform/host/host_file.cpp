#include "platform/host/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/host/host_crash_point.h"
#include "platform/host/host_error.h"
#include "platform/host/host_statx.h"
#include "platform/host/host_timespec.h"

namespace platform::host {

HostFile HostFile::open(const std::filesystem::path& path, Access access, Create create,
                        std::error_code& error) {
  int flags = O_CLOEXEC | O_NOFOLLOW | (access == Access::ReadWrite ? O_RDWR : O_RDONLY);
  if (create == Create::New) flags |= O_CREAT | O_EXCL;
  int fd = ::open(path.c_str(), flags, 0644);
  error = fd < 0 ? lastHostError() : std::error_code();
  return HostFile(fd);
}

HostFile::~HostFile() {
  close();
}

HostFile::HostFile(HostFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

HostFile& HostFile::operator=(HostFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void HostFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::error_code HostFile::readAt(uint64_t offset, void* buffer, size_t count, size_t& done) const {
  done = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (done < count) {
    ssize_t n = ::pread(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastHostError();
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return {};
}

std::error_code HostFile::writeAt(uint64_t offset, const void* data, size_t count) const {
  WriteAllowance allowance = countWrite(count);
  std::error_code error = writeAtUncounted(offset, data, allowance.bytes);
  if (allowance.crashAfter) crashNow();
  return error;
}

std::error_code HostFile::writeAtUncounted(uint64_t offset, const void* data, size_t count) const {
  const auto* bytes = static_cast<const char*>(data);
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::pwrite(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastHostError();
    if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
    done += static_cast<size_t>(n);
  }
  return {};
}

std::optional<uint64_t> HostFile::size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

std::optional<EntryStatus> HostFile::status() const {
  struct statx info {};
  if (::statx(fd_, "", AT_EMPTY_PATH, kStatusFields, &info) != 0) return std::nullopt;
  return statusFromStatx(info);
}

std::error_code HostFile::truncate(uint64_t size) const {
  return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? std::error_code() : lastHostError();
}

std::error_code HostFile::syncData() const {
  return ::fdatasync(fd_) == 0 ? std::error_code() : lastHostError();
}

std::error_code HostFile::setTimes(std::optional<HostTime> lastAccess,
                                   std::optional<HostTime> lastWrite) const {
  timespec times[2] = {timespecOf(lastAccess), timespecOf(lastWrite)};
  return ::futimens(fd_, times) == 0 ? std::error_code() : lastHostError();
}

}  // namespace platform::host
