#include "archive/zip_inflate.h"

#include <libdeflate.h>
#include <zlib.h>

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

InflateStream::InflateStream() : stream_(std::make_unique<z_stream_s>()) {
  if (inflateInit2(stream_.get(), -MAX_WBITS) != Z_OK)
    throw ZipError("Out of memory for the decompressor");
}

InflateStream::~InflateStream() {
  inflateEnd(stream_.get());
}

bool InflateStream::feed(const uint8_t* data, size_t length, const PlainSink& sink) {
  if (ended_) return true;
  unsigned char buffer[1 << 16];
  stream_->next_in = const_cast<Bytef*>(data);
  stream_->avail_in = static_cast<uInt>(length);
  do {
    stream_->next_out = buffer;
    stream_->avail_out = sizeof buffer;
    int result = inflate(stream_.get(), Z_NO_FLUSH);
    size_t produced = sizeof buffer - stream_->avail_out;
    if (produced) sink(buffer, produced);
    if (result == Z_STREAM_END) return ended_ = true;
    if (result == Z_BUF_ERROR && stream_->avail_in == 0) break;
    if (result != Z_OK) throw ZipCorruptError("Compressed data is damaged");
  } while (stream_->avail_in > 0 || stream_->avail_out == 0);
  return false;
}

}  // namespace archive
