#pragma once
// Where a written archive's bytes go: one file, block files, or disks. The
// writer appends only, so the same records work for every destination.

#include <cstddef>
#include <cstdint>

#include "archive/zip_bytes.h"

namespace archive {

class ZipOutput {
 public:
  virtual ~ZipOutput() = default;
  virtual void write(const uint8_t* data, size_t length) = 0;
  void write(const Bytes& bytes) { write(bytes.data(), bytes.size()); }
  // The disk the next byte goes to (0 unless spanning) and its offset there.
  virtual uint32_t disk() const = 0;
  virtual uint64_t offset() const = 0;
  // Spanning starts a new disk when a record of this size would not fit on
  // the current one, so headers are never cut in two.
  virtual void keepTogether(uint64_t /*length*/) {}
};

class MemoryOutput : public ZipOutput {
 public:
  using ZipOutput::write;
  void write(const uint8_t* data, size_t length) override {
    bytes_.insert(bytes_.end(), data, data + length);
  }
  uint32_t disk() const override { return 0; }
  uint64_t offset() const override { return bytes_.size(); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace archive
