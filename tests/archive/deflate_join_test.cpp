// Streams compressed apart and joined: what the chunked compressor relies on
// to make one Deflate stream of many libdeflate results.
#include <gtest/gtest.h>
#include <libdeflate.h>

#include <random>

#include "archive/zip_deflate_join.h"
#include "archive/zip_error.h"
#include "archive/zip_inflate.h"

namespace archive {
namespace {

Bytes text(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  const char* words[] = {"registry ", "SYSTEM.DAT ", "backup ", "\r\n", "0x7FFE ", "Windows "};
  Bytes out;
  while (out.size() < size)
    for (const char* c = words[random() % 6]; *c && out.size() < size; ++c) out.push_back(*c);
  return out;
}

Bytes noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out(size);
  for (auto& b : out) b = static_cast<uint8_t>(random());
  return out;
}

Bytes compress(const Bytes& data, int level) {
  libdeflate_compressor* c = libdeflate_alloc_compressor(level);
  Bytes out(libdeflate_deflate_compress_bound(c, data.size()));
  out.resize(libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size()));
  libdeflate_free_compressor(c);
  return out;
}

Bytes inflated(const Bytes& stream, size_t plainLength) {
  Bytes out(plainLength);
  EXPECT_TRUE(inflateWhole(stream.data(), stream.size(), out.data(), out.size()));
  return out;
}

// Chunks of every block kind libdeflate writes: stored (noise), fixed codes
// (a few bytes), dynamic codes (text), and nothing at all.
TEST(DeflateJoin, ChunksOfEveryBlockKindJoinIntoOneStream) {
  const std::vector<Bytes> chunks = {text(300000, 1), noise(70000, 2), Bytes{'a', 'b', 'c'},
                                     Bytes{},         text(5, 3),      text(1 << 20, 4)};
  for (int level : {1, 6, 9}) {
    SCOPED_TRACE(level);
    Bytes joined, plain;
    for (size_t i = 0; i < chunks.size(); ++i) {
      Bytes part = compress(chunks[i], level);
      if (i + 1 < chunks.size()) openDeflateStreamEnd(part);
      joined.insert(joined.end(), part.begin(), part.end());
      plain.insert(plain.end(), chunks[i].begin(), chunks[i].end());
    }
    EXPECT_EQ(inflated(joined, plain.size()), plain);
  }
}

TEST(DeflateJoin, EveryEndBitPositionIsHandled) {
  // Short texts end their last code at every bit position of a byte.
  for (size_t length = 1; length < 40; ++length) {
    Bytes first = text(length, static_cast<unsigned>(length));
    Bytes part = compress(first, 6);
    DeflateStreamEnd end = findDeflateStreamEnd(part.data(), part.size());
    EXPECT_LE(end.endBit, part.size() * 8);
    EXPECT_GT(end.endBit + 8, part.size() * 8);
    openDeflateStreamEnd(part);
    Bytes second = text(100, 99);
    Bytes tail = compress(second, 6);
    part.insert(part.end(), tail.begin(), tail.end());
    first.insert(first.end(), second.begin(), second.end());
    EXPECT_EQ(inflated(part, first.size()), first) << length;
  }
}

TEST(DeflateJoin, TrailingBytesAfterTheStreamAreDropped) {
  Bytes part = compress(text(1000, 5), 6);
  size_t length = part.size();
  part.insert(part.end(), {0xAB, 0xCD, 0xEF});
  openDeflateStreamEnd(part);
  EXPECT_LE(part.size(), length + 5);
  Bytes end = emptyDeflateStream();
  part.insert(part.end(), end.begin(), end.end());
  EXPECT_EQ(inflated(part, 1000), text(1000, 5));
}

TEST(DeflateJoin, DamagedStreamsAreRefusedWithoutReadingPastTheirEnd) {
  Bytes whole = compress(text(20000, 6), 6);
  for (size_t cut = 0; cut < whole.size() - 1; cut += 7)
    EXPECT_THROW(findDeflateStreamEnd(whole.data(), cut), ZipError) << cut;
  EXPECT_THROW(findDeflateStreamEnd(Bytes{0x07}.data(), 1), ZipError);  // block type 3
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    Bytes junk = noise(1 + random() % 200, static_cast<unsigned>(i));
    try {
      DeflateStreamEnd end = findDeflateStreamEnd(junk.data(), junk.size());
      EXPECT_LE(end.endBit, junk.size() * 8);
    } catch (const ZipError&) {
    }
  }
}

}  // namespace
}  // namespace archive
