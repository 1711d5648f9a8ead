#include "platform/core/errors.h"
#include "platform/files/attribute_backends.h"
#include "platform/files/dos_attrib_blob.h"
#include "platform/host/host_attribute_stores.h"

namespace platform {
namespace {

constexpr const char* kDosAttribName = "user.DOSATTRIB";
constexpr const char* kNtfsCreationName = "system.ntfs_crtime";  // ntfs-3g

uint64_t littleEndian(std::string_view bytes) {
  uint64_t value = 0;
  for (size_t i = 0; i < bytes.size() && i < 8; ++i)
    value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return value;
}

std::string littleEndianBytes(uint64_t value, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

class DosAttribBackend : public RecordFileBackend {
 public:
  using RecordFileBackend::RecordFileBackend;
  std::string name() const override { return kDosAttribName; }

  std::optional<StoredAttributes> load(const std::filesystem::path& host) override {
    if (auto blob = host::readExtendedAttribute(host, kDosAttribName)) {
      try {
        return decodeDosAttrib(*blob);
      } catch (const DosAttribFormatError&) {
        // A value we cannot read counts as none; the next change replaces it.
      }
    }
    return file().get(host);
  }

  void save(const std::filesystem::path& host, const StoredAttributes& stored) override {
    if (!host::writeExtendedAttribute(host, kDosAttribName, encodeDosAttrib(stored))) {
      file().supersede(host);
      return;
    }
    // Entries that refuse user extended attributes (symbolic links, for one).
    file().put(host, stored);
  }
};

// ntfs3's "system.dos_attrib" reads as one byte and accepts one or four;
// ntfs-3g's "system.ntfs_attrib" is the 32-bit attribute word.
class NtfsBackend : public BitsOnHostBackend {
 public:
  NtfsBackend(std::string attributeName, std::unique_ptr<AttributeFile> extras)
      : BitsOnHostBackend(std::move(extras)), attributeName_(std::move(attributeName)) {}
  std::string name() const override { return attributeName_; }

 protected:
  std::optional<uint32_t> readBits(const std::filesystem::path& host) override {
    auto value = host::readExtendedAttribute(host, attributeName_);
    if (!value || value->empty()) return std::nullopt;
    return static_cast<uint32_t>(littleEndian(*value)) & 0xFFFF & ~0x10u;
  }
  void writeBits(const std::filesystem::path& host, uint32_t bits) override {
    auto value = host::readExtendedAttribute(host, attributeName_);
    if (!value || value->empty())
      throw OsError(WinError::AccessDenied, "", host.string() + ": NTFS attributes not readable");
    uint32_t current = static_cast<uint32_t>(littleEndian(*value));
    constexpr uint32_t kDosBits = 0x27;
    uint32_t word = (current & ~kDosBits) | (bits & kDosBits);
    if (word == current) return;
    if (std::error_code error = host::writeExtendedAttribute(
            host, attributeName_, littleEndianBytes(word, value->size())))
      throw OsError(WinError::AccessDenied, "",
                    host.string() + ": NTFS attributes not set: " + error.message());
  }
  std::optional<FileTime> readCreation(const std::filesystem::path& host) override {
    auto value = host::readExtendedAttribute(host, kNtfsCreationName);
    if (!value || value->size() != 8) return std::nullopt;
    return FileTime{littleEndian(*value)};
  }
  bool writeCreation(const std::filesystem::path& host, FileTime time) override {
    return !host::writeExtendedAttribute(host, kNtfsCreationName, littleEndianBytes(time.value, 8));
  }

 private:
  std::string attributeName_;
};

}  // namespace

std::unique_ptr<AttributeBackend> makeDosAttribBackend(std::unique_ptr<AttributeFile> file) {
  return std::make_unique<DosAttribBackend>(std::move(file));
}

std::unique_ptr<AttributeBackend> makeNtfsBackend(const std::string& name,
                                                  std::unique_ptr<AttributeFile> extras) {
  return std::make_unique<NtfsBackend>(name, std::move(extras));
}

bool xattrReadable(const std::filesystem::path& root, const std::string& name) {
  return host::readExtendedAttribute(root, name).has_value();
}

bool hostHasUserXattrs(const std::filesystem::path& root) {
  return host::answersExtendedAttribute(root, kDosAttribName);
}

}  // namespace platform
