#pragma once
// Little-endian reading and writing for the shortcut format. The reader never
// reads past the end of its window and throws ShellLinkFormatError naming the
// structure it was reading and the absolute file offset.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::shell {

class LinkByteReader {
 public:
  // A window of `bytes` that starts at `baseOffset` in the file.
  explicit LinkByteReader(std::string_view bytes, size_t baseOffset = 0)
      : bytes_(bytes), base_(baseOffset) {}

  size_t position() const { return position_; }
  size_t remaining() const { return bytes_.size() - position_; }
  size_t size() const { return bytes_.size(); }
  // File offset of the current position, for messages.
  size_t fileOffset() const { return base_ + position_; }

  uint8_t u8(const char* what);
  uint16_t u16(const char* what);
  uint32_t u32(const char* what);
  uint64_t u64(const char* what);
  std::string_view bytes(size_t count, const char* what);
  void skip(size_t count, const char* what) { bytes(count, what); }
  void seek(size_t position, const char* what);

  // A reader over `count` bytes from the current position, which moves past
  // them.
  LinkByteReader window(size_t count, const char* what);
  // A reader over [position, end of this window), not moving this one.
  LinkByteReader windowAt(size_t position, const char* what) const;

  // A zero-terminated string of 8-bit or 16-bit units from the current
  // position; a missing terminator is an error.
  std::string_view ansiz(const char* what);
  std::u16string utf16z(const char* what);

  [[noreturn]] void fail(const std::string& what) const;

 private:
  void require(size_t count, const char* what) const;

  std::string_view bytes_;
  size_t base_;
  size_t position_ = 0;
};

// Appends little-endian values to a byte string.
class LinkByteWriter {
 public:
  void u8(uint8_t value) { out_ += static_cast<char>(value); }
  void u16(uint16_t value);
  void u32(uint32_t value);
  void u64(uint64_t value);
  void bytes(std::string_view data) { out_ += data; }
  void utf16(std::u16string_view text);
  void zeros(size_t count) { out_.append(count, '\0'); }
  // Overwrites a 16-bit or 32-bit value written earlier (sizes known late).
  void patchU16(size_t at, uint16_t value);
  void patchU32(size_t at, uint32_t value);

  size_t size() const { return out_.size(); }
  const std::string& data() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace platform::shell
