#pragma once
// The bytes of one session in order: the header, then the data of each new
// non-empty file in file-table order, each padded to a whole sector, then
// zeros up to the track's size. Handed out in blocks of the caller's size;
// file data is read straight into the caller's block. For each file it
// records where it starts, its size and the CRC-32 of the bytes delivered,
// so that the written disc can be checked against them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cdengine/IsoLayout.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"

namespace cdengine {

struct DeliveredFile {
  std::string sourcePath;
  uint32_t firstSector = 0;  // absolute
  uint64_t size = 0;
  uint32_t crc32 = 0;
};

class SessionStream {
 public:
  SessionStream(platform::FileSystem& files, const IsoTree& tree, const IsoLayout& layout,
                std::vector<uint8_t> header, uint32_t trackSectors);

  uint64_t totalBytes() const { return total_; }
  uint64_t deliveredBytes() const { return position_; }
  // Fills up to `size` bytes of `out`; 0 once the session is complete.
  // Throws corvasta::Error "CAN'T OPEN FILE ..." when a source cannot be
  // opened or no longer has the size it was entered with.
  size_t read(uint8_t* out, size_t size);
  const std::vector<DeliveredFile>& delivered() const { return delivered_; }

 private:
  void openNextFile();
  size_t readFileData(uint8_t* out, size_t size);

  platform::FileSystem& files_;
  const IsoLayout& layout_;
  std::vector<const TFEntry*> pending_;  // new non-empty files, in order
  size_t nextFile_ = 0;
  std::vector<uint8_t> header_;
  uint64_t total_ = 0;
  uint64_t position_ = 0;
  std::unique_ptr<platform::FileHandle> current_;
  uint64_t currentLeft_ = 0;  // data bytes of the current file still to read
  uint64_t padLeft_ = 0;      // zeros after it up to its last sector's end
  std::vector<DeliveredFile> delivered_;
};

// The message a source that cannot be read gives.
std::string cantOpenFileMessage(const std::string& path);

}  // namespace cdengine
