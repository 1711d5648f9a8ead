#include "cdengine/ImageFileDrive.h"

#include "cdengine/IsoLayout.h"
#include "platform/core/errors.h"

namespace cdengine {

ImageFileDrive::ImageFileDrive(const std::filesystem::path& image,
                               std::vector<uint32_t> sessionStarts)
    : path_(image), file_(image, std::ios::binary), starts_(std::move(sessionStarts)) {
  if (!file_) throw corvasta::Error("The image " + image.string() + " cannot be read.");
}

uint32_t ImageFileDrive::nextWritableAddress() {
  std::error_code error;
  const uintmax_t bytes = std::filesystem::file_size(path_, error);
  if (error) return 0;
  return static_cast<uint32_t>((bytes + kSectorBytes - 1) / kSectorBytes);
}

std::optional<uint32_t> ImageFileDrive::firstTrackStart(int session) {
  if (session < 1 || session > sessionCount()) return std::nullopt;
  return starts_[static_cast<size_t>(session - 1)];
}

bool ImageFileDrive::readSectors(uint32_t sector, uint32_t count, uint8_t* out) {
  const uint64_t bytes = uint64_t{count} * kSectorBytes;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(uint64_t{sector} * kSectorBytes));
  file_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(bytes));
  return file_ && static_cast<uint64_t>(file_.gcount()) == bytes;
}

}  // namespace cdengine
