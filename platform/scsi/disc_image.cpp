#include "platform/scsi/disc_image.h"

#include <cstring>

namespace platform::scsi {

using host::HostFile;

DiscImage DiscImage::open(const std::filesystem::path& path, std::error_code& error) {
  DiscImage image;
  image.file_ = HostFile::open(path, HostFile::Access::ReadWrite, HostFile::Create::No, error);
  if (error == std::errc::no_such_file_or_directory)
    image.file_ = HostFile::open(path, HostFile::Access::ReadWrite, HostFile::Create::New, error);
  return image;
}

std::error_code DiscImage::write(uint32_t lba, const uint8_t* data, uint32_t sectors) const {
  return file_.writeAt(uint64_t(lba) * kSectorSize, data, size_t(sectors) * kSectorSize);
}

std::error_code DiscImage::read(uint32_t lba, uint8_t* data, uint32_t sectors) const {
  const size_t total = size_t(sectors) * kSectorSize;
  size_t done = 0;
  if (std::error_code error = file_.readAt(uint64_t(lba) * kSectorSize, data, total, done))
    return error;
  std::memset(data + done, 0, total - done);
  return {};
}

std::error_code DiscImage::truncate(uint32_t sectors) const {
  return file_.truncate(uint64_t(sectors) * kSectorSize);
}

}  // namespace platform::scsi
