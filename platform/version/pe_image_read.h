#pragma once
// Finds the version resource of a PE image (Win32 executables and DLLs): the
// MZ header, the PE header and its section table, then the resource tree
// (type RT_VERSION, its first name, its first language). The image is
// outside data: every offset is checked against the file and the section
// that holds it, the tree has exactly its three levels (a directory that
// points back at itself cannot make the walk loop), and nothing larger than
// a version resource can be is read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::version {

// A version resource holds at most a 64 KB VS_VERSIONINFO block.
inline constexpr size_t kMaxVersionResource = 0x10000;

// Where an image's bytes come from: a file read piece by piece, or memory.
class ImageBytes {
 public:
  virtual ~ImageBytes() = default;
  virtual uint64_t size() const = 0;
  // The `count` bytes at `offset`; the reader asks only for ranges inside size().
  virtual std::string read(uint64_t offset, size_t count) = 0;
};

class MemoryImageBytes final : public ImageBytes {
 public:
  explicit MemoryImageBytes(std::string_view bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  std::string read(uint64_t offset, size_t count) override {
    return std::string(bytes_.substr(offset, count));
  }

 private:
  std::string_view bytes_;
};

// The data of the image's version resource. Throws VersionResourceError:
// BadExeFormat (not a PE image, or damaged headers or resource tree),
// ResourceDataNotFound (no resource section), ResourceTypeNotFound (no
// version resource), ResourceNameNotFound / ResourceLangNotFound (an empty
// level of the tree).
std::string readVersionResource(ImageBytes& image);

}  // namespace platform::version
