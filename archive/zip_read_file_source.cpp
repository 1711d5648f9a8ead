#include "archive/zip_read_file_source.h"

namespace archive {

void FileSource::readAt(uint64_t offset, void* buffer, size_t length) {
  if (offset > size_ || length > size_ - offset)
    throw ZipCorruptError(name_ + " ends early", offset);
  if (file_->readAt(offset, buffer, length) != length)
    throw ZipCorruptError(name_ + " could not be read completely", offset);
}

}  // namespace archive
