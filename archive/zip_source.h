#pragma once
// Where archive bytes are read from. A ZipSource is one random-access stream
// (a file of the machine, a buffer, a set of block files read as one);
// ZipVolumes are the disks of an archive whose records carry disk numbers
// (spanning); a VolumeReader reads on from a (disk, offset) position across
// disk ends.

#include <cstdint>
#include <memory>
#include <string>

#include "archive/zip_bytes.h"
#include "archive/zip_file_system.h"

namespace archive {

class ZipSource {
 public:
  virtual ~ZipSource() = default;
  virtual uint64_t size() = 0;
  // Reads exactly length bytes at offset; throws ZipCorruptError past the end.
  virtual void readAt(uint64_t offset, void* buffer, size_t length) = 0;
};

class MemorySource : public ZipSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t size() override { return size_; }
  void readAt(uint64_t offset, void* buffer, size_t length) override;

 private:
  const uint8_t* data_;
  size_t size_;
};

// One file of the machine; the name is the one messages about it give.
class FileSource : public ZipSource {
 public:
  FileSource(std::unique_ptr<ZipInputFile> file, std::string name)
      : file_(std::move(file)), name_(std::move(name)), size_(file_->size()) {}
  uint64_t size() override { return size_; }
  void readAt(uint64_t offset, void* buffer, size_t length) override;
  const std::string& name() const { return name_; }

 private:
  std::unique_ptr<ZipInputFile> file_;
  std::string name_;
  uint64_t size_;
};

class ZipVolumes {
 public:
  virtual ~ZipVolumes() = default;
  // The disk (numbered from 0 as the records do), asked for when needed.
  virtual ZipSource& volume(uint32_t disk) = 0;
  // The number of the disk that holds the end record.
  virtual uint32_t lastDisk() const = 0;
};

// An archive on one disk.
class SingleVolume : public ZipVolumes {
 public:
  explicit SingleVolume(ZipSource& source) : source_(source) {}
  ZipSource& volume(uint32_t disk) override;
  uint32_t lastDisk() const override { return 0; }

 private:
  ZipSource& source_;
};

class VolumeReader {
 public:
  VolumeReader(ZipVolumes& volumes, uint32_t disk, uint64_t offset)
      : volumes_(volumes), disk_(disk), offset_(offset) {}
  // Reads exactly length bytes, going on to the next disk at the end of one.
  void read(void* buffer, size_t length);
  Bytes read(size_t length);
  void skip(uint64_t length);
  uint32_t disk() const { return disk_; }
  uint64_t offset() const { return offset_; }

 private:
  ZipSource& sourceWithData(uint64_t& available);

  ZipVolumes& volumes_;
  uint32_t disk_;
  uint64_t offset_;
};

}  // namespace archive
