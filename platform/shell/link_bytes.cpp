#include "platform/shell/link_bytes.h"

#include "platform/shell/shell_link_error.h"

namespace platform::shell {

void LinkByteReader::fail(const std::string& what) const {
  throw ShellLinkFormatError(what, fileOffset());
}

void LinkByteReader::require(size_t count, const char* what) const {
  if (count > remaining()) fail(std::string("Shortcut file is truncated in ") + what);
}

uint8_t LinkByteReader::u8(const char* what) {
  require(1, what);
  return static_cast<uint8_t>(bytes_[position_++]);
}

uint16_t LinkByteReader::u16(const char* what) {
  require(2, what);
  auto low = static_cast<uint8_t>(bytes_[position_]);
  auto high = static_cast<uint8_t>(bytes_[position_ + 1]);
  position_ += 2;
  return static_cast<uint16_t>(low | (high << 8));
}

uint32_t LinkByteReader::u32(const char* what) {
  require(4, what);
  uint32_t low = u16(what);
  uint32_t high = u16(what);
  return low | (high << 16);
}

uint64_t LinkByteReader::u64(const char* what) {
  require(8, what);
  uint64_t low = u32(what);
  uint64_t high = u32(what);
  return low | (high << 32);
}

std::string_view LinkByteReader::bytes(size_t count, const char* what) {
  require(count, what);
  std::string_view result = bytes_.substr(position_, count);
  position_ += count;
  return result;
}

void LinkByteReader::seek(size_t position, const char* what) {
  if (position > bytes_.size())
    fail(std::string("Offset ") + std::to_string(position) + " lies outside " + what);
  position_ = position;
}

LinkByteReader LinkByteReader::window(size_t count, const char* what) {
  size_t start = fileOffset();
  return LinkByteReader(bytes(count, what), start);
}

LinkByteReader LinkByteReader::windowAt(size_t position, const char* what) const {
  if (position > bytes_.size())
    fail(std::string("Offset ") + std::to_string(position) + " lies outside " + what);
  return LinkByteReader(bytes_.substr(position), base_ + position);
}

std::string_view LinkByteReader::ansiz(const char* what) {
  size_t end = bytes_.find('\0', position_);
  if (end == std::string_view::npos) fail(std::string("Unterminated string in ") + what);
  std::string_view text = bytes_.substr(position_, end - position_);
  position_ = end + 1;
  return text;
}

std::u16string LinkByteReader::utf16z(const char* what) {
  std::u16string text;
  for (;;) {
    if (remaining() < 2) fail(std::string("Unterminated string in ") + what);
    char16_t unit = u16(what);
    if (unit == 0) return text;
    text += unit;
  }
}

void LinkByteWriter::u16(uint16_t value) {
  u8(static_cast<uint8_t>(value));
  u8(static_cast<uint8_t>(value >> 8));
}

void LinkByteWriter::u32(uint32_t value) {
  u16(static_cast<uint16_t>(value));
  u16(static_cast<uint16_t>(value >> 16));
}

void LinkByteWriter::u64(uint64_t value) {
  u32(static_cast<uint32_t>(value));
  u32(static_cast<uint32_t>(value >> 32));
}

void LinkByteWriter::utf16(std::u16string_view text) {
  for (char16_t unit : text) u16(unit);
}

void LinkByteWriter::patchU16(size_t at, uint16_t value) {
  out_[at] = static_cast<char>(value & 0xFF);
  out_[at + 1] = static_cast<char>(value >> 8);
}

void LinkByteWriter::patchU32(size_t at, uint32_t value) {
  patchU16(at, static_cast<uint16_t>(value));
  patchU16(at + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace platform::shell
