#include "cdengine/SessionStream.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>

#include "platform/core/errors.h"

namespace cdengine {

std::string cantOpenFileMessage(const std::string& path) {
  return "CAN'T OPEN FILE \"" + path + "\" OR FILE IS IN USES BY OTHER SOFTWARE";
}

SessionStream::SessionStream(platform::FileSystem& files, const IsoTree& tree,
                             const IsoLayout& layout, std::vector<uint8_t> header,
                             uint32_t trackSectors)
    : files_(files), layout_(layout), header_(std::move(header)) {
  for (const auto& entry : tree.files())
    if (entry->isNewData()) pending_.push_back(entry.get());
  total_ = uint64_t{trackSectors} * kSectorBytes;
}

void SessionStream::openNextFile() {
  const TFEntry& entry = *pending_[nextFile_++];
  try {
    current_ = std::make_unique<platform::FileHandle>(files_.createFile(
        entry.sourcePath, platform::kGenericRead,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
        platform::CreationDisposition::OpenExisting));
  } catch (const corvasta::Error&) {
    throw corvasta::Error(cantOpenFileMessage(entry.sourcePath));
  }
  // A file that grew or shrank since it was entered would shift every file
  // after it on the disc.
  if (current_->size() != entry.isoSize)
    throw corvasta::Error(cantOpenFileMessage(entry.sourcePath));
  currentLeft_ = entry.isoSize;
  padLeft_ = (kSectorBytes - entry.isoSize % kSectorBytes) % kSectorBytes;
  delivered_.push_back({entry.sourcePath, layout_.isoLocationOf(entry), entry.isoSize, 0u});
}

size_t SessionStream::readFileData(uint8_t* out, size_t size) {
  const size_t want = static_cast<size_t>(std::min<uint64_t>(size, currentLeft_));
  size_t got = 0;
  while (got < want) {
    const size_t n = current_->read(out + got, want - got);
    if (n == 0) throw corvasta::Error(cantOpenFileMessage(delivered_.back().sourcePath));
    got += n;
  }
  DeliveredFile& file = delivered_.back();
  file.crc32 = libdeflate_crc32(file.crc32, out, got);
  currentLeft_ -= got;
  if (currentLeft_ == 0) current_.reset();
  return got;
}

size_t SessionStream::read(uint8_t* out, size_t size) {
  size_t filled = 0;
  while (filled < size && position_ < total_) {
    size_t n = 0;
    const size_t room = static_cast<size_t>(std::min<uint64_t>(size - filled, total_ - position_));
    if (position_ < header_.size()) {
      n = std::min<size_t>(room, header_.size() - static_cast<size_t>(position_));
      std::memcpy(out + filled, header_.data() + position_, n);
    } else if (currentLeft_ > 0) {
      n = readFileData(out + filled, room);
    } else if (padLeft_ > 0) {
      n = static_cast<size_t>(std::min<uint64_t>(room, padLeft_));
      std::memset(out + filled, 0, n);
      padLeft_ -= n;
    } else if (nextFile_ < pending_.size()) {
      openNextFile();
      continue;
    } else {
      // The post-gap: zeros to the end of the track.
      n = room;
      std::memset(out + filled, 0, n);
    }
    filled += n;
    position_ += n;
  }
  return filled;
}

}  // namespace cdengine
