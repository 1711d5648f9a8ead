#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/errors.h"
#include "platform/files/attribute_backends.h"

namespace platform {
namespace {

// An open descriptor of a file or folder, closed on scope exit.
class Descriptor {
 public:
  explicit Descriptor(const std::filesystem::path& host)
      : fd_(::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::optional<uint32_t> getFatAttributes(const std::filesystem::path& host) {
  Descriptor fd(host);
  uint32_t attributes = 0;
  if (fd.get() < 0 || ::ioctl(fd.get(), FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0)
    return std::nullopt;
  return attributes;
}

class FatIoctlBackend : public BitsOnHostBackend {
 public:
  using BitsOnHostBackend::BitsOnHostBackend;
  std::string name() const override { return "FAT attribute ioctls"; }
  // The FAT driver sets ATTR_ARCH itself whenever a file's content changes.
  bool hostSetsArchiveBit() const override { return true; }

 protected:
  std::optional<uint32_t> readBits(const std::filesystem::path& host) override {
    auto bits = getFatAttributes(host);
    if (bits) *bits &= ~static_cast<uint32_t>(ATTR_DIR | ATTR_VOLUME);
    return bits;
  }
  void writeBits(const std::filesystem::path& host, uint32_t bits) override {
    Descriptor fd(host);
    auto current = getFatAttributes(host);
    if (fd.get() < 0 || !current)
      throw OsError(WinError::AccessDenied, "", host.string() + ": FAT attributes not readable");
    // The directory and volume bits are the driver's; only the DOS bits change.
    uint32_t value = (*current & (ATTR_DIR | ATTR_VOLUME)) |
                     (bits & (ATTR_RO | ATTR_HIDDEN | ATTR_SYS | ATTR_ARCH));
    if (value == *current) return;
    if (::ioctl(fd.get(), FAT_IOCTL_SET_ATTRIBUTES, &value) != 0)
      throw OsError(WinError::AccessDenied, "",
                    host.string() + ": FAT attributes not set: " + std::strerror(errno));
  }
};

}  // namespace

std::unique_ptr<AttributeBackend> makeFatIoctlBackend(std::unique_ptr<AttributeFile> extras) {
  return std::make_unique<FatIoctlBackend>(std::move(extras));
}

bool fatIoctlsWork(const std::filesystem::path& root) {
  return getFatAttributes(root).has_value();
}

}  // namespace platform
