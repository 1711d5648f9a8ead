#pragma once
// The archive engine's view of the files of a machine: ZipFileSystem over
// the platform layer's FileSystem, so that archives are read and written with
// the machine's Windows semantics (attributes, capacity, sharing, aliases).

#include <vector>

#include "archive/zip_file_system.h"
#include "platform/files/file_system.h"

namespace archive {

class MachineZipFileSystem : public ZipFileSystem {
 public:
  explicit MachineZipFileSystem(platform::FileSystem& files) : files_(files) {}

  std::vector<FoundFile> findFiles(const std::string& pattern) override;
  std::unique_ptr<ZipInputFile> openRead(const std::string& path) override;
  std::unique_ptr<ZipOutputFile> create(const std::string& path) override;
  std::unique_ptr<ZipOutputFile> reopenHolding(const std::string& path, const uint8_t* data,
                                               size_t length) override;
  std::optional<uint32_t> attributes(const std::string& path) override;
  void setAttributes(const std::string& path, uint32_t attributes) override;
  FileTimes fileTimes(const std::string& path) override;
  void setFileTimes(const std::string& path, const FileTimes& times) override;
  void createDirectory(const std::string& path) override;
  void deleteFile(const std::string& path) override;
  void moveFile(const std::string& from, const std::string& to) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  uint64_t freeSpace(const std::string& root) override;
  DriveType driveType(const std::string& root) override;
  std::string volumeLabel(const std::string& root) override;
  void setVolumeLabel(const std::string& root, const std::string& label) override;
  // The machine's time zone (machine.ini TimeZone=, else the host's).
  FileTime toLocalTime(FileTime utc) override;
  FileTime toUtcTime(FileTime local) override;
  FileTime now() override;

 private:
  platform::FileSystem& files_;
  std::vector<uint8_t> compareBuffer_;  // reopenHolding's reads, kept between files
};

}  // namespace archive
