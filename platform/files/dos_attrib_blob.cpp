#include "platform/files/dos_attrib_blob.h"

#include <charconv>
#include <cstdint>

namespace platform {
namespace {

// valid_flags bits.
constexpr uint32_t kValidAttrib = 0x01;
constexpr uint32_t kValidSize = 0x04;
constexpr uint32_t kValidCreateTime = 0x10;
constexpr uint32_t kValidChangeTime = 0x20;

class Reader {
 public:
  explicit Reader(std::string_view data) : data_(data) {}
  void skip(size_t count) { offset_ += count; }
  void align(size_t to) { offset_ = (offset_ + to - 1) / to * to; }
  uint16_t u16() { return static_cast<uint16_t>(bytes(2)); }
  uint32_t u32() {
    align(4);
    return static_cast<uint32_t>(bytes(4));
  }
  uint64_t u64() {
    align(4);
    uint64_t low = bytes(4);
    return low | (bytes(4) << 32);
  }

 private:
  uint64_t bytes(size_t count) {
    if (offset_ > data_.size() || data_.size() - offset_ < count)
      throw DosAttribFormatError("DOSATTRIB value is truncated at byte " + std::to_string(offset_));
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i)
      value |= static_cast<uint64_t>(static_cast<unsigned char>(data_[offset_ + i])) << (8 * i);
    offset_ += count;
    return value;
  }
  std::string_view data_;
  size_t offset_ = 0;
};

class Writer {
 public:
  void align(size_t to) {
    while (out_.size() % to) out_ += '\0';
  }
  void u16(uint16_t value) { bytes(value, 2); }
  void u32(uint32_t value) {
    align(4);
    bytes(value, 4);
  }
  void u64(uint64_t value) {
    align(4);
    bytes(value, 8);
  }
  void text(std::string_view value) {
    out_ += value;
    out_ += '\0';
  }
  std::string take() { return std::move(out_); }

 private:
  void bytes(uint64_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) out_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  std::string out_;
};

uint32_t parseHexAttributes(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    throw DosAttribFormatError("DOSATTRIB hex string is not a number");
  return value;
}

void takeCreation(StoredAttributes& stored, uint64_t time) {
  if (time != 0) stored.creation = FileTime{time};
}

}  // namespace

StoredAttributes decodeDosAttrib(std::string_view blob) {
  StoredAttributes stored;
  size_t nul = blob.find('\0');
  std::string_view hex = blob.substr(0, nul);
  if (nul == std::string_view::npos || nul + 1 == blob.size()) {
    // The oldest form: the hex string alone.
    stored.attributes = parseHexAttributes(hex);
    return stored;
  }
  Reader fields(blob);
  fields.skip(nul + 1);
  fields.align(2);
  uint16_t version = fields.u16();
  uint16_t selector = fields.u16();
  if (selector != version)
    throw DosAttribFormatError("DOSATTRIB version " + std::to_string(version) +
                               " does not match its selector " + std::to_string(selector));
  switch (version) {
    case 1: {
      stored.attributes = fields.u32();
      fields.u32();  // ea_size
      fields.u64();  // size
      fields.u64();  // alloc_size
      takeCreation(stored, fields.u64());
      break;
    }
    case 2: {
      fields.u32();  // flags
      stored.attributes = fields.u32();
      fields.u32();
      fields.u64();
      fields.u64();
      takeCreation(stored, fields.u64());
      break;
    }
    case 3: {
      uint32_t valid = fields.u32();
      uint32_t attributes = fields.u32();
      fields.u32();  // ea_size
      uint64_t size = fields.u64();
      fields.u64();  // alloc_size
      uint64_t create = fields.u64();
      uint64_t change = fields.u64();
      if (!(valid & kValidAttrib)) throw DosAttribFormatError("DOSATTRIB holds no attributes");
      stored.attributes = attributes;
      if (valid & kValidCreateTime) takeCreation(stored, create);
      if ((valid & kValidSize) && (valid & kValidChangeTime))
        stored.cleanStamp = ArchiveStamp{size, FileTime{change}};
      break;
    }
    case 4:
    case 5: {
      uint32_t valid = fields.u32();
      uint32_t attributes = fields.u32();
      if (version == 4) fields.u64();  // itime
      uint64_t create = fields.u64();
      if (!(valid & kValidAttrib)) throw DosAttribFormatError("DOSATTRIB holds no attributes");
      stored.attributes = attributes;
      if (valid & kValidCreateTime) takeCreation(stored, create);
      break;
    }
    default:
      throw DosAttribFormatError("DOSATTRIB version " + std::to_string(version) + " is not known");
  }
  return stored;
}

std::string encodeDosAttrib(const StoredAttributes& stored) {
  char hex[16];
  auto [end, ec] = std::to_chars(hex, hex + sizeof hex, stored.attributes, 16);
  (void)ec;
  Writer out;
  out.text("0x" + std::string(hex, end));
  out.align(2);
  out.u16(3);
  out.u16(3);
  uint32_t valid = kValidAttrib;
  if (stored.creation) valid |= kValidCreateTime;
  if (stored.cleanStamp) valid |= kValidSize | kValidChangeTime;
  out.u32(valid);
  out.u32(stored.attributes);
  out.u32(0);  // ea_size
  out.u64(stored.cleanStamp ? stored.cleanStamp->size : 0);
  out.u64(0);  // alloc_size
  out.u64(stored.creation ? stored.creation->value : 0);
  out.u64(stored.cleanStamp ? stored.cleanStamp->lastWrite.value : 0);
  return out.take();
}

}  // namespace platform
