#include "platform/scsi/disc_files.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "platform/core/errors.h"
#include "platform/core/machine_state.h"
#include "platform/scsi/disc_image.h"
#include "platform/scsi/disc_toc_file.h"

namespace platform::scsi {

namespace fs = std::filesystem;

fs::path DiscFiles::tocPath() const {
  return fs::path(base_.string() + ".toc");
}
fs::path DiscFiles::imagePath() const {
  return fs::path(base_.string() + ".img");
}

bool DiscFiles::exists() const {
  std::error_code error;
  return fs::is_regular_file(tocPath(), error);
}

Disc DiscFiles::load() const {
  std::ifstream in(tocPath(), std::ios::binary);
  if (!in) throw corvasta::Error("cannot read " + tocPath().string());
  std::ostringstream text;
  text << in.rdbuf();
  return parseDiscToc(text.str(), tocPath().string());
}

void DiscFiles::save(const Disc& disc) const {
  replaceHostFile(tocPath(), formatDiscToc(disc));
}

namespace {

// Copies the host file into the image, the last sector padded with zeros;
// gives the sectors copied.
uint32_t pressImage(const fs::path& from, const DiscImage& image) {
  std::ifstream in(from, std::ios::binary);
  if (!in) throw corvasta::Error("cannot read " + from.string());
  std::vector<uint8_t> buffer(size_t(kSectorSize) * 512);
  uint32_t lba = 0;
  while (in) {
    in.read(reinterpret_cast<char*>(buffer.data()), std::streamsize(buffer.size()));
    size_t got = size_t(in.gcount());
    if (got == 0) break;
    uint32_t sectors = uint32_t((got + kSectorSize - 1) / kSectorSize);
    std::fill(buffer.begin() + std::ptrdiff_t(got), buffer.begin() + sectors * kSectorSize, 0);
    if (std::error_code error = image.write(lba, buffer.data(), sectors))
      throw corvasta::Error("cannot write the disc image: " + error.message());
    lba += sectors;
    if (lba > kCd80MinSectors) throw corvasta::Error(from.string() + " does not fit on a CD");
  }
  if (std::error_code error = image.sync())
    throw corvasta::Error("cannot write the disc image: " + error.message());
  return lba;
}

}  // namespace

Disc createDisc(const DiscFiles& files, DiscKind kind, std::optional<uint32_t> sectors,
                const std::optional<fs::path>& pressedFrom) {
  if (files.exists()) throw corvasta::Error(files.tocPath().string() + " exists already");
  Disc disc;
  disc.kind = kind;
  disc.capacity = sectors.value_or(defaultCapacity(kind));
  if (disc.capacity == 0) throw corvasta::Error("a disc needs at least one sector");
  std::error_code error;
  DiscImage image = DiscImage::open(files.imagePath(), error);
  if (error)
    throw corvasta::Error("cannot create " + files.imagePath().string() + ": " + error.message());
  image.truncate(0);
  if (kind == DiscKind::CdRom) {
    if (!pressedFrom) throw corvasta::Error("a cd-rom is pressed from an image file");
    uint32_t pressed = pressImage(*pressedFrom, image);
    if (pressed == 0) throw corvasta::Error(pressedFrom->string() + " is empty");
    disc.capacity = pressed;
    disc.sessions.push_back({0, pressed});
    disc.status = DiscStatus::Closed;
  } else if (pressedFrom) {
    throw corvasta::Error("only a cd-rom is pressed from an image; a " + discKindName(kind) +
                          " starts blank");
  }
  files.save(disc);
  return disc;
}

}  // namespace platform::scsi
