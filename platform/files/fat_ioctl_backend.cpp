#include "platform/core/errors.h"
#include "platform/files/attribute_backends.h"
#include "platform/files/file_attributes.h"
#include "platform/host/host_attribute_stores.h"

namespace platform {
namespace {

// The bits of the FAT attribute byte the driver keeps for itself.
constexpr uint32_t kFatVolumeLabel = 0x08;
constexpr uint32_t kFatDriverBits = kAttributeDirectory | kFatVolumeLabel;
constexpr uint32_t kFatDosBits =
    kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive;

class FatIoctlBackend : public BitsOnHostBackend {
 public:
  using BitsOnHostBackend::BitsOnHostBackend;
  std::string name() const override { return "FAT attribute ioctls"; }
  // The FAT driver sets ATTR_ARCH itself whenever a file's content changes.
  bool hostSetsArchiveBit() const override { return true; }

 protected:
  std::optional<uint32_t> readBits(const std::filesystem::path& host) override {
    auto bits = host::readFatAttributes(host);
    if (bits) *bits &= ~kFatDriverBits;
    return bits;
  }
  void writeBits(const std::filesystem::path& host, uint32_t bits) override {
    auto current = host::readFatAttributes(host);
    if (!current)
      throw OsError(WinError::AccessDenied, "", host.string() + ": FAT attributes not readable");
    // The directory and volume bits are the driver's; only the DOS bits change.
    uint32_t value = (*current & kFatDriverBits) | (bits & kFatDosBits);
    if (value == *current) return;
    if (std::error_code error = host::writeFatAttributes(host, value))
      throw OsError(WinError::AccessDenied, "",
                    host.string() + ": FAT attributes not set: " + error.message());
  }
};

}  // namespace

std::unique_ptr<AttributeBackend> makeFatIoctlBackend(std::unique_ptr<AttributeFile> extras) {
  return std::make_unique<FatIoctlBackend>(std::move(extras));
}

bool fatIoctlsWork(const std::filesystem::path& root) {
  return host::readFatAttributes(root).has_value();
}

}  // namespace platform
