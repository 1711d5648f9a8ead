#include "archive/zip_source.h"

#include <algorithm>
#include <cstring>

namespace archive {

void MemorySource::readAt(uint64_t offset, void* buffer, size_t length) {
  if (offset > size_ || length > size_ - offset)
    throw ZipCorruptError("Archive data ends early", offset);
  if (length == 0) return;
  std::memcpy(buffer, data_ + offset, length);
}

void FileSource::readAt(uint64_t offset, void* buffer, size_t length) {
  if (offset > size_ || length > size_ - offset)
    throw ZipCorruptError(name_ + " ends early", offset);
  if (file_->readAt(offset, buffer, length) != length)
    throw ZipCorruptError(name_ + " could not be read completely", offset);
}

ZipSource& SingleVolume::volume(uint32_t disk) {
  if (disk != 0)
    throw ZipCorruptError("Archive refers to disk " + std::to_string(disk + 1) +
                          " but has only one");
  return source_;
}

ZipSource& VolumeReader::sourceWithData(uint64_t& available) {
  for (;;) {
    ZipSource& source = volumes_.volume(disk_);
    uint64_t size = source.size();
    if (offset_ < size) {
      available = size - offset_;
      return source;
    }
    if (disk_ >= volumes_.lastDisk())
      throw ZipCorruptError("Archive data ends early on its last disk", offset_);
    ++disk_;
    offset_ = 0;
  }
}

void VolumeReader::read(void* buffer, size_t length) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (length > 0) {
    uint64_t available = 0;
    ZipSource& source = sourceWithData(available);
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(length, available));
    source.readAt(offset_, out, chunk);
    out += chunk;
    offset_ += chunk;
    length -= chunk;
  }
}

Bytes VolumeReader::read(size_t length) {
  Bytes bytes(length);
  read(bytes.data(), length);
  return bytes;
}

void VolumeReader::skip(uint64_t length) {
  while (length > 0) {
    uint64_t available = 0;
    sourceWithData(available);
    uint64_t step = std::min(length, available);
    offset_ += step;
    length -= step;
  }
}

}  // namespace archive
