#include "platform/host/host_attribute_stores.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/host_crash_point.h"
#include "platform/host/host_error.h"

namespace platform::host {

namespace {

// An open descriptor of a file or folder, closed on scope exit.
class Descriptor {
 public:
  explicit Descriptor(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> readExtendedAttribute(const std::filesystem::path& path,
                                                 const std::string& name) {
  constexpr size_t kLargest = 65536;
  std::string buffer(256, '\0');
  while (true) {
    ssize_t size = ::lgetxattr(path.c_str(), name.c_str(), buffer.data(), buffer.size());
    if (size >= 0) {
      buffer.resize(static_cast<size_t>(size));
      return buffer;
    }
    if (errno != ERANGE || buffer.size() >= kLargest) return std::nullopt;
    buffer.resize(buffer.size() * 4);
  }
}

std::error_code writeExtendedAttribute(const std::filesystem::path& path, const std::string& name,
                                       const std::string& value) {
  if (countWrite(value.size()).crashAfter) crashNow();
  if (::lsetxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) == 0) return {};
  return lastHostError();
}

bool answersExtendedAttribute(const std::filesystem::path& path, const std::string& name) {
  char byte;
  if (::getxattr(path.c_str(), name.c_str(), &byte, 0) >= 0) return true;
  return errno == ENODATA;
}

std::optional<uint32_t> readFatAttributes(const std::filesystem::path& path) {
  Descriptor fd(path);
  uint32_t attributes = 0;
  if (fd.get() < 0 || ::ioctl(fd.get(), FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0)
    return std::nullopt;
  return attributes;
}

std::error_code writeFatAttributes(const std::filesystem::path& path, uint32_t attributes) {
  Descriptor fd(path);
  if (fd.get() < 0) return lastHostError();
  if (::ioctl(fd.get(), FAT_IOCTL_SET_ATTRIBUTES, &attributes) != 0) return lastHostError();
  return {};
}

}  // namespace platform::host
