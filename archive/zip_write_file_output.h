#pragma once
// Archive outputs on the machine's files: one file, numbered blocks of fixed
// sizes, or parts spanning removable disks sized by their free space.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/MultiVolumeInfo.h"
#include "archive/zip_file_system.h"
#include "archive/zip_write_output.h"

namespace archive {

// Asks for the next disk after a part is finished: nextDisk counts from 1,
// name is in-out (the finished part; the handler may rename it). Returns
// false when the user cancelled.
using DiskRequest = std::function<bool(int nextDisk, std::string& name)>;

// Buffers writes to one file.
class BufferedFile {
 public:
  BufferedFile(ZipFileSystem& fs, const std::string& name);
  void write(const uint8_t* data, size_t length);
  void close();
  const std::string& name() const { return name_; }

 private:
  std::unique_ptr<ZipOutputFile> file_;
  std::string name_;
  Bytes buffer_;
};

class SingleFileOutput : public ZipOutput {
 public:
  SingleFileOutput(ZipFileSystem& fs, const std::string& name) : file_(fs, name) {}
  using ZipOutput::write;
  void write(const uint8_t* data, size_t length) override;
  uint32_t disk() const override { return 0; }
  uint64_t offset() const override { return offset_; }
  void close() { file_.close(); }

 private:
  BufferedFile file_;
  uint64_t offset_ = 0;
};

// An output cut into parts: each part takes what room it has left, then the
// next part is started. Keeps the parts written so far under their final
// names.
class PartedOutput : public ZipOutput {
 public:
  using ZipOutput::write;
  void write(const uint8_t* data, size_t length) override;
  uint64_t offset() const override { return offset_; }
  const std::vector<std::string>& parts() const { return parts_; }
  virtual void close() = 0;

 protected:
  // Closes the full part and opens the next, setting left_.
  virtual void nextPart() = 0;

  std::vector<std::string> parts_;
  std::unique_ptr<BufferedFile> file_;
  uint64_t left_ = 0;
  uint64_t offset_ = 0;
};

// name.001, name.002, ...: one stream cut at FirstBlockSize, then every
// BlockSize bytes, so the blocks joined are a plain archive.
class BlockOutput : public PartedOutput {
 public:
  BlockOutput(ZipFileSystem& fs, const std::string& archiveName, const TMultiVolumeInfo& info,
              DiskRequest request);
  uint32_t disk() const override { return 0; }
  void close() override;

 private:
  void nextPart() override;

  ZipFileSystem& fs_;
  std::string stem_;
  uint64_t firstSize_, blockSize_;
  DiskRequest request_;
};

// One part per removable disk under the archive's own name; records carry
// the disk number and the offset on that disk.
class SpanOutput : public PartedOutput {
 public:
  SpanOutput(ZipFileSystem& fs, const std::string& archiveName, const TMultiVolumeInfo& info,
             DiskRequest request);
  uint32_t disk() const override { return disk_; }
  void keepTogether(uint64_t length) override;
  void close() override;

 private:
  void startDisk();
  void finishDisk();
  void nextPart() override;

  ZipFileSystem& fs_;
  std::string name_;
  std::string root_;
  TMultiVolumeInfo info_;
  DiskRequest request_;
  uint32_t disk_ = 0;
};

}  // namespace archive
