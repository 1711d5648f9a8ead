#pragma once
// A disc held in an image file on the host: sector N is the 2048 bytes at
// N × 2048. Its sessions are the starts the caller names; the next session
// may start at the first sector after the file's end.

#include <filesystem>
#include <fstream>
#include <vector>

#include "cdengine/CdDrive.h"

namespace cdengine {

class ImageFileDrive : public CdDrive {
 public:
  // Throws corvasta::Error when the image cannot be opened for reading.
  ImageFileDrive(const std::filesystem::path& image, std::vector<uint32_t> sessionStarts);

  DiscType discType() override { return DiscType::CdR; }
  uint32_t nextWritableAddress() override;
  int sessionCount() override { return static_cast<int>(starts_.size()); }
  std::optional<uint32_t> firstTrackStart(int session) override;
  bool readSectors(uint32_t sector, uint32_t count, uint8_t* out) override;

 private:
  std::filesystem::path path_;
  std::ifstream file_;
  std::vector<uint32_t> starts_;
};

}  // namespace cdengine
