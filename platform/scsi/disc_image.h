#pragma once
// NAME.img, a simulated disc's sectors (2048 bytes each from LBA 0), open
// for the drive: one write per WRITE command, fdatasync when the drive
// flushes its cache. Sectors past the end of the file read as zeros.

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/host/host_file.h"

namespace platform::scsi {

constexpr uint32_t kSectorSize = 2048;

class DiscImage {
 public:
  // Opens (creating it when missing) for reading and writing.
  static DiscImage open(const std::filesystem::path& path, std::error_code& error);

  bool isOpen() const { return file_.isOpen(); }
  std::error_code write(uint32_t lba, const uint8_t* data, uint32_t sectors) const;
  std::error_code read(uint32_t lba, uint8_t* data, uint32_t sectors) const;
  std::error_code sync() const { return file_.syncData(); }
  std::error_code truncate(uint32_t sectors) const;
  void close() { file_.close(); }

 private:
  host::HostFile file_;
};

}  // namespace platform::scsi
