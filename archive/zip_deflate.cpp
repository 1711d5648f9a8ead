#include "archive/zip_deflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <array>

namespace archive {
namespace {

// libdeflate's levels do more per level than zlib's (and Info-ZIP's): these
// give archives no larger than zlib at the same pack level, measured on the
// benchmark corpus (docs/archive.md), at a fraction of the time.
int libdeflateLevel(int packLevel) {
  static constexpr std::array<int, 10> kLevels = {0, 1, 1, 2, 3, 5, 6, 7, 8, 9};
  return kLevels[static_cast<size_t>(packLevel)];
}

// A libdeflate compressor per level and thread: allocating one costs more than
// compressing a small file.
libdeflate_compressor* compressorFor(int level) {
  struct Cache {
    std::array<libdeflate_compressor*, 10> byLevel{};
    ~Cache() {
      for (auto* c : byLevel)
        if (c) libdeflate_free_compressor(c);
    }
  };
  thread_local Cache cache;
  auto*& compressor = cache.byLevel[static_cast<size_t>(level)];
  if (!compressor) compressor = libdeflate_alloc_compressor(level);
  if (!compressor) throw ZipError("Out of memory for the compressor");
  return compressor;
}

}  // namespace

void deflateWhole(const uint8_t* data, size_t length, int level, Bytes& out) {
  libdeflate_compressor* compressor = compressorFor(libdeflateLevel(level));
  size_t start = out.size();
  out.resize(start + libdeflate_deflate_compress_bound(compressor, length));
  size_t written =
      libdeflate_deflate_compress(compressor, data, length, out.data() + start, out.size() - start);
  if (written == 0) throw ZipError("Deflate compression failed");
  out.resize(start + written);
}

DeflateStream::DeflateStream(int level) : stream_(std::make_unique<z_stream_s>()) {
  if (deflateInit2(stream_.get(), level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw ZipError("Out of memory for the compressor");
}

DeflateStream::~DeflateStream() {
  deflateEnd(stream_.get());
}

void DeflateStream::compress(const uint8_t* data, size_t length, bool finish, Bytes& out) {
  stream_->next_in = const_cast<Bytef*>(data);
  stream_->avail_in = static_cast<uInt>(length);
  int flush = finish ? Z_FINISH : Z_NO_FLUSH;
  for (;;) {
    size_t start = out.size();
    size_t room = deflateBound(stream_.get(), stream_->avail_in) + 64;
    out.resize(start + room);
    stream_->next_out = out.data() + start;
    stream_->avail_out = static_cast<uInt>(room);
    int result = deflate(stream_.get(), flush);
    out.resize(start + room - stream_->avail_out);
    if (result == Z_STREAM_END) return;
    if (result != Z_OK && result != Z_BUF_ERROR) throw ZipError("Deflate compression failed");
    if (!finish && stream_->avail_in == 0 && stream_->avail_out != 0) return;
  }
}

}  // namespace archive
