#pragma once
// Deflate (RFC 1951) compression of entry data. Pack levels 1-2 use ISA-L's
// igzip and 3-9 libdeflate: each is several times faster than zlib at the
// same archive size. Entries too large to hold in memory stream through
// igzip (levels 1-2) or libdeflate (3-9, in chunks on worker threads).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "archive/zip_bytes.h"

namespace archive {

// Raw Deflate of a whole buffer at pack level 1..9 into out. Returns the
// compressed size, or 0 when the result does not fit in capacity (callers pass
// the input length, so 0 means "store it").
size_t deflateWhole(const uint8_t* data, size_t length, int level, uint8_t* out, size_t capacity);

class DeflateStream {
 public:
  // workers > 0: at pack levels above 2, chunks are compressed on that many
  // threads (see zip_deflate.cpp); 0 compresses them on the caller's thread.
  explicit DeflateStream(int level, unsigned workers = 0);
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Compresses more input and appends what is ready to out; finish ends the
  // stream.
  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out);

  class Engine;

 private:
  std::unique_ptr<Engine> engine_;
};

}  // namespace archive
