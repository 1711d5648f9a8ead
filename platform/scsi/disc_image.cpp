#include "platform/scsi/disc_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform::scsi {
namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

}  // namespace

DiscImage::~DiscImage() {
  close();
}

DiscImage::DiscImage(DiscImage&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

DiscImage& DiscImage::operator=(DiscImage&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

DiscImage DiscImage::open(const std::filesystem::path& path, std::error_code& error) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  error = fd < 0 ? lastError() : std::error_code();
  return DiscImage(fd);
}

std::error_code DiscImage::write(uint32_t lba, const uint8_t* data, uint32_t sectors) const {
  const size_t total = size_t(sectors) * kSectorSize;
  const off_t offset = off_t(lba) * kSectorSize;
  // One call for the whole command; the loop only finishes a short write.
  for (size_t done = 0; done < total;) {
    ssize_t n = ::pwrite(fd_, data + done, total - done, offset + off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastError();
    if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
    done += size_t(n);
  }
  return {};
}

std::error_code DiscImage::read(uint32_t lba, uint8_t* data, uint32_t sectors) const {
  const size_t total = size_t(sectors) * kSectorSize;
  const off_t offset = off_t(lba) * kSectorSize;
  size_t done = 0;
  while (done < total) {
    ssize_t n = ::pread(fd_, data + done, total - done, offset + off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lastError();
    if (n == 0) break;
    done += size_t(n);
  }
  std::memset(data + done, 0, total - done);
  return {};
}

std::error_code DiscImage::sync() const {
  return ::fdatasync(fd_) == 0 ? std::error_code() : lastError();
}

std::error_code DiscImage::truncate(uint32_t sectors) const {
  return ::ftruncate(fd_, off_t(sectors) * kSectorSize) == 0 ? std::error_code() : lastError();
}

void DiscImage::close() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

}  // namespace platform::scsi
