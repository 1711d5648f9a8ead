#pragma once
// Deflate decompression of entry data: whole entries with libdeflate when their
// size is known and small enough to hold, otherwise an igzip stream in chunks
// (two to three times as fast as zlib's).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct inflate_state;

namespace archive {

using PlainSink = std::function<void(const uint8_t*, size_t)>;

// Inflates raw Deflate data that must come out as exactly outLength bytes.
// False when the data is damaged or of another length.
bool inflateWhole(const uint8_t* data, size_t length, uint8_t* out, size_t outLength);

class InflateStream {
 public:
  InflateStream();
  ~InflateStream();
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  // Feeds compressed bytes; plain bytes go to sink. Returns true once the
  // Deflate stream has ended; throws ZipCorruptError on damaged data.
  bool feed(const uint8_t* data, size_t length, const PlainSink& sink);

 private:
  std::unique_ptr<inflate_state> state_;
  std::unique_ptr<uint8_t[]> buffer_;
  bool ended_ = false;
};

}  // namespace archive
