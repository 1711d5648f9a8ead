#pragma once
// NAME.img, a simulated disc's sectors (2048 bytes each from LBA 0), open
// for the drive: one pwrite per WRITE command, fdatasync when the drive
// flushes its cache. Sectors past the end of the file read as zeros.

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace platform::scsi {

constexpr uint32_t kSectorSize = 2048;

class DiscImage {
 public:
  DiscImage() = default;
  ~DiscImage();
  DiscImage(DiscImage&& other) noexcept;
  DiscImage& operator=(DiscImage&& other) noexcept;
  DiscImage(const DiscImage&) = delete;
  DiscImage& operator=(const DiscImage&) = delete;

  // Opens (creating it when missing) for reading and writing.
  static DiscImage open(const std::filesystem::path& path, std::error_code& error);

  bool isOpen() const { return fd_ >= 0; }
  std::error_code write(uint32_t lba, const uint8_t* data, uint32_t sectors) const;
  std::error_code read(uint32_t lba, uint8_t* data, uint32_t sectors) const;
  std::error_code sync() const;
  std::error_code truncate(uint32_t sectors) const;
  void close();

 private:
  explicit DiscImage(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace platform::scsi
