#include "platform/version/pe_image_read.h"

#include <algorithm>
#include <vector>

#include "platform/version/version_bytes.h"
#include "platform/version/version_error.h"

namespace platform::version {
namespace {

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kDirectoryBit = 0x80000000;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kResourceDirectoryIndex = 2;
// The Windows loader refuses images with more sections than this.
constexpr size_t kMaxSections = 96;

struct Section {
  uint32_t virtualAddress = 0;
  uint32_t virtualSize = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

struct ResourceDirectory {
  uint64_t offset = 0;  // in the resource directory, for messages
  std::string entries;  // 8 bytes each
  size_t count() const { return entries.size() / 8; }
  uint32_t name(size_t index) const { return le32(entries, index * 8); }
  uint32_t target(size_t index) const { return le32(entries, index * 8 + 4); }
};

class PeImage {
 public:
  explicit PeImage(ImageBytes& image) : image_(image) { readHeaders(); }

  std::string versionResource() {
    ResourceDirectory types = directoryAt(0);
    size_t index = types.count();
    for (size_t i = 0; i < types.count() && index == types.count(); ++i)
      if (types.name(i) == kRtVersion) index = i;
    if (index == types.count())
      fail(kErrorResourceTypeNotFound, "The file has no version resource", types.offset);
    ResourceDirectory names = subdirectory(types, index);
    if (names.count() == 0)
      fail(kErrorResourceNameNotFound, "The version resource has no entry", names.offset);
    ResourceDirectory languages = subdirectory(names, 0);
    if (languages.count() == 0)
      fail(kErrorResourceLangNotFound, "The version resource has no language", languages.offset);
    if (languages.target(0) & kDirectoryBit)
      fail(kErrorBadExeFormat, "The resource tree has more than three levels", languages.offset);
    return dataOf(languages.target(0));
  }

 private:
  [[noreturn]] void fail(WinError code, const std::string& what, uint64_t offset) const {
    throw VersionResourceError(code, what, offset);
  }

  std::string readAt(uint64_t offset, size_t count, const char* what) const {
    if (offset > image_.size() || count > image_.size() - offset)
      fail(kErrorBadExeFormat, std::string(what) + " lies past the end of the file", offset);
    return image_.read(offset, count);
  }

  void readHeaders() {
    std::string dos = readAt(0, 64, "The MZ header");
    if (dos[0] != 'M' || dos[1] != 'Z') fail(kErrorBadExeFormat, "The file is not a program", 0);
    const uint64_t peOffset = le32(dos, 0x3C);
    std::string pe = readAt(peOffset, 24, "The PE header");
    if (pe.compare(0, 4, std::string("PE\0\0", 4)) != 0)
      fail(kErrorBadExeFormat, "The program is not a Win32 image", peOffset);
    const size_t sectionCount = le16(pe, 6);
    const size_t optionalSize = le16(pe, 20);
    std::string optional = readAt(peOffset + 24, optionalSize, "The optional header");
    if (optionalSize < 2) fail(kErrorBadExeFormat, "The optional header is missing", peOffset);
    const uint16_t magic = le16(optional, 0);
    size_t countOffset = 0;
    if (magic == kPe32Magic)
      countOffset = 92;
    else if (magic == kPe32PlusMagic)
      countOffset = 108;
    else
      fail(kErrorBadExeFormat, "The optional header has an unknown magic number", peOffset + 24);
    const size_t directory = countOffset + 4 + kResourceDirectoryIndex * 8;
    if (optionalSize < directory + 8 || le32(optional, countOffset) <= kResourceDirectoryIndex ||
        le32(optional, directory) == 0)
      fail(kErrorResourceDataNotFound, "The program has no resources", peOffset + 24);
    resourceRva_ = le32(optional, directory);

    if (sectionCount > kMaxSections)
      fail(kErrorBadExeFormat, "The program has too many sections", peOffset + 6);
    const uint64_t tableOffset = peOffset + 24 + optionalSize;
    std::string table = readAt(tableOffset, sectionCount * 40, "The section table");
    for (size_t i = 0; i < sectionCount; ++i) {
      const size_t at = i * 40;
      Section section{le32(table, at + 12), le32(table, at + 8), le32(table, at + 16),
                      le32(table, at + 20)};
      // The loader maps every section's data: a file cut short inside one is damaged.
      if (uint64_t{section.rawOffset} + section.rawSize > image_.size())
        fail(kErrorBadExeFormat, "A section's data lies past the end of the file",
             tableOffset + at);
      sections_.push_back(section);
    }
  }

  // The file offset of `count` bytes at `rva`, all inside one section's data.
  uint64_t fileOffsetOf(uint64_t rva, size_t count, const char* what) const {
    for (const Section& section : sections_) {
      const uint64_t extent = std::max(section.virtualSize, section.rawSize);
      if (rva < section.virtualAddress || rva - section.virtualAddress >= extent) continue;
      const uint64_t inSection = rva - section.virtualAddress;
      if (count > section.rawSize || inSection > section.rawSize - count)
        fail(kErrorBadExeFormat, std::string(what) + " lies outside its section's data", rva);
      return section.rawOffset + inSection;
    }
    fail(kErrorBadExeFormat, std::string(what) + " lies in no section", rva);
  }

  std::string readRva(uint64_t rva, size_t count, const char* what) const {
    return readAt(fileOffsetOf(rva, count, what), count, what);
  }

  ResourceDirectory directoryAt(uint32_t offset) const {
    ResourceDirectory directory;
    directory.offset = offset;
    std::string header = readRva(uint64_t{resourceRva_} + offset, 16, "A resource directory");
    const size_t count = size_t{le16(header, 12)} + le16(header, 14);
    directory.entries =
        readRva(uint64_t{resourceRva_} + offset + 16, count * 8, "A resource directory's entries");
    return directory;
  }

  ResourceDirectory subdirectory(const ResourceDirectory& parent, size_t index) const {
    const uint32_t target = parent.target(index);
    if (!(target & kDirectoryBit))
      fail(kErrorBadExeFormat, "The resource tree ends before its third level", parent.offset);
    return directoryAt(target & ~kDirectoryBit);
  }

  std::string dataOf(uint32_t entryOffset) const {
    std::string entry = readRva(uint64_t{resourceRva_} + entryOffset, 16, "A resource data entry");
    const uint32_t dataRva = le32(entry, 0);
    const uint32_t size = le32(entry, 4);
    if (size == 0) fail(kErrorInvalidData, "The version resource is empty", entryOffset);
    const size_t count = std::min<size_t>(size, kMaxVersionResource);
    return readRva(dataRva, count, "The version resource");
  }

  ImageBytes& image_;
  std::vector<Section> sections_;
  uint32_t resourceRva_ = 0;
};

}  // namespace

std::string readVersionResource(ImageBytes& image) {
  return PeImage(image).versionResource();
}

}  // namespace platform::version
