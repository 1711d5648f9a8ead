#include "archive/zip_inflate.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <cstdint>

#include "archive/zip_error.h"

namespace archive {

bool inflateWhole(const uint8_t* data, size_t length, uint8_t* out, size_t outLength) {
  thread_local struct Holder {
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    ~Holder() { libdeflate_free_decompressor(d); }
  } holder;
  if (!holder.d) throw ZipError("Out of memory for the decompressor");
  size_t actual = 0;
  auto result = libdeflate_deflate_decompress(holder.d, data, length, out, outLength, &actual);
  return result == LIBDEFLATE_SUCCESS && actual == outLength;
}

namespace {
constexpr uint32_t kOutputChunk = 256u << 10;
}

InflateStream::InflateStream()
    : state_(std::make_unique<inflate_state>()), buffer_(new uint8_t[kOutputChunk]) {
  isal_inflate_init(state_.get());
  state_->crc_flag = ISAL_DEFLATE;  // raw Deflate, no wrapper
}

InflateStream::~InflateStream() = default;

bool InflateStream::feed(const uint8_t* data, size_t length, const PlainSink& sink) {
  if (ended_) return true;
  if (length > UINT32_MAX) throw ZipError("Inflate was given more than 4 GiB at once");
  inflate_state& s = *state_;
  s.next_in = const_cast<uint8_t*>(data);
  s.avail_in = static_cast<uint32_t>(length);
  do {
    s.next_out = buffer_.get();
    s.avail_out = kOutputChunk;
    int result = isal_inflate(&s);
    size_t produced = kOutputChunk - s.avail_out;
    if (produced) sink(buffer_.get(), produced);
    if (result < 0) throw ZipCorruptError("Compressed data is damaged");
    if (s.block_state == ISAL_BLOCK_FINISH) return ended_ = true;
  } while (s.avail_in > 0 || s.avail_out == 0);
  return false;
}

}  // namespace archive
