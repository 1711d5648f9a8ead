#pragma once
// Little-endian field access for ZIP records. Reading is bounds-checked: a
// record that ends early throws ZipCorruptError naming the record.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "archive/zip_error.h"

namespace archive {

using Bytes = std::vector<uint8_t>;

// A grow-only buffer whose bytes are left uninitialised. Threads that handle
// one entry after another reuse one instead of allocating (and zeroing)
// megabytes for every entry.
class ScratchBuffer {
 public:
  uint8_t* reserve(size_t length) {
    if (length > capacity_) {
      data_.reset(new uint8_t[length]);
      capacity_ = length;
    }
    return data_.get();
  }

 private:
  std::unique_ptr<uint8_t[]> data_;
  size_t capacity_ = 0;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size, const char* what)
      : data_(data), size_(size), what_(what) {}

  uint8_t u8() { return *take(1); }
  uint16_t u16() {
    const uint8_t* p = take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  uint32_t u32() {
    const uint8_t* p = take(4);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  uint64_t u64() {
    uint64_t low = u32();
    return low | (static_cast<uint64_t>(u32()) << 32);
  }
  std::string text(size_t n) {
    const uint8_t* p = take(n);
    return std::string(reinterpret_cast<const char*>(p), n);
  }
  void skip(size_t n) { take(n); }
  const uint8_t* take(size_t n) {
    if (n > size_ - pos_)
      throw ZipCorruptError(std::string(what_) + " is truncated", static_cast<uint64_t>(pos_));
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  size_t remaining() const { return size_ - pos_; }
  size_t position() const { return pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  const char* what_;
};

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}
  void u8(uint8_t v) { out_.push_back(v); }
  void u16(uint16_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void u64(uint64_t v) {
    u32(static_cast<uint32_t>(v));
    u32(static_cast<uint32_t>(v >> 32));
  }
  void text(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void bytes(const Bytes& b) { out_.insert(out_.end(), b.begin(), b.end()); }

 private:
  Bytes& out_;
};

}  // namespace archive
