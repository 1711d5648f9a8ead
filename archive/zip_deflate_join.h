#pragma once
// Joining Deflate streams that were compressed apart. A compressor without a
// flush call (libdeflate) can still compress a long file in chunks on several
// threads: each chunk becomes a complete stream, and all but the last are
// opened at their end so that the next one's blocks follow in the same
// stream.

#include <cstddef>

#include "archive/zip_bytes.h"

namespace archive {

// Where a complete raw Deflate stream's final block starts and where its last
// code ends, as bit positions from the start (bits are counted from the
// least significant bit of each byte, as Deflate packs them).
struct DeflateStreamEnd {
  size_t finalBlockBit = 0;
  size_t endBit = 0;
};

// Walks the blocks of `stream` without producing output. Throws ZipError when
// the data is not one complete Deflate stream.
DeflateStreamEnd findDeflateStreamEnd(const uint8_t* stream, size_t length);

// Turns a complete raw Deflate stream into the front part of a longer one: the
// final block is marked as not final, and an empty stored block ends the data
// on a byte boundary, where another stream's first block may follow. The
// stream shrinks to what its blocks use, so padding or trailing bytes go.
void openDeflateStreamEnd(Bytes& stream);

// A complete Deflate stream of no data: one final, empty fixed-code block.
Bytes emptyDeflateStream();

}  // namespace archive
