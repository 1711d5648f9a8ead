#pragma once
// Deflate (RFC 1951) compression of entry data: whole buffers with libdeflate,
// which is several times faster than zlib at the same size, and a streaming
// compressor on zlib for entries too large to hold in memory.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "archive/zip_bytes.h"

struct z_stream_s;

namespace archive {

// Raw Deflate of a whole buffer at pack level 1..9, appended to out.
void deflateWhole(const uint8_t* data, size_t length, int level, Bytes& out);

class DeflateStream {
 public:
  explicit DeflateStream(int level);
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Compresses more input and appends what is ready to out; finish ends the
  // stream.
  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out);

 private:
  std::unique_ptr<z_stream_s> stream_;
};

}  // namespace archive
