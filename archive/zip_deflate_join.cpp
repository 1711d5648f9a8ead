#include "archive/zip_deflate_join.h"

#include <array>
#include <bit>
#include <cstring>
#include <utility>

#include "archive/zip_error.h"

namespace archive {
namespace {

[[noreturn]] void malformed() {
  throw ZipError("Deflate stream to join is malformed");
}

// Reads the stream's bits least significant bit of each byte first, from a
// 64-bit buffer refilled eight bytes at a time. Past the end it reads zeros,
// at most a few bytes' worth: a walk that runs further is malformed.
class BitReader {
 public:
  BitReader(const uint8_t* data, size_t length) : start_(data), next_(data), end_(data + length) {}

  // At least 56 bits are in the buffer afterwards.
  void refill() {
    if (end_ - next_ >= 8) {
      uint64_t word;
      std::memcpy(&word, next_, 8);
      if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
      buffer_ |= word << count_;
      next_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    while (count_ <= 56) {
      if (next_ < end_) {
        buffer_ |= uint64_t{*next_++} << count_;
      } else if (++zeroBytes_ > 16) {
        malformed();  // the walk ran past the end of the data
      }
      count_ += 8;
    }
  }

  uint64_t bits() const { return buffer_; }
  void consume(unsigned n) {
    buffer_ >>= n;
    count_ -= n;
  }
  uint32_t take(unsigned n) {
    if (count_ < n) refill();
    uint32_t value = static_cast<uint32_t>(buffer_ & ((uint64_t{1} << n) - 1));
    consume(n);
    return value;
  }
  // The position of the next unread bit from the start of the data.
  size_t position() const { return static_cast<size_t>(next_ - start_ + zeroBytes_) * 8 - count_; }
  size_t limit() const { return static_cast<size_t>(end_ - start_) * 8; }

  // Drops the buffered bits up to the next byte boundary and continues
  // reading bytes from there.
  void alignToByte() {
    size_t pos = (position() + 7) & ~size_t{7};
    seek(pos / 8);
  }
  void seek(size_t byte) {
    if (byte > static_cast<size_t>(end_ - start_)) malformed();
    next_ = start_ + byte;
    buffer_ = 0;
    count_ = 0;
    zeroBytes_ = 0;
  }
  const uint8_t* data() const { return start_; }

 private:
  const uint8_t* start_;
  const uint8_t* next_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  unsigned count_ = 0;
  size_t zeroBytes_ = 0;
};

constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kFastBits = 11;

// What a code word stands for, as far as walking the stream is concerned: a
// literal, a length (a distance code follows), the end of the block, or a
// symbol Deflate does not allow.
enum class SymbolKind : uint8_t { Literal, Length, Slow, EndOfBlock, Invalid };

struct FastEntry {
  uint8_t bits = 0;  // the code's bits and the extra bits that follow it
  SymbolKind kind = SymbolKind::Slow;
};

constexpr uint64_t kFastMask = (uint64_t{1} << kFastBits) - 1;

unsigned lengthExtraBits(unsigned symbol) {
  if (symbol < 265 || symbol == 285) return 0;
  return (symbol - 261) / 4;
}

unsigned distanceExtraBits(unsigned symbol) {
  return symbol < 4 ? 0 : symbol / 2 - 1;
}

// A canonical Huffman code: a table for codes of up to kFastBits bits that
// also covers the extra bits behind each symbol, and the counts and sorted
// symbols to walk longer ones bit by bit.
class HuffmanCode {
 public:
  using Classify = std::pair<SymbolKind, unsigned> (*)(unsigned symbol);

  void build(const uint8_t* lengths, size_t symbols, Classify classify) {
    classify_ = classify;
    counts_.fill(0);
    fast_.fill(FastEntry{});
    for (size_t s = 0; s < symbols; ++s) ++counts_[lengths[s]];
    counts_[0] = 0;
    int left = 1;
    for (unsigned bits = 1; bits <= kMaxCodeBits; ++bits) {
      left = (left << 1) - counts_[bits];
      if (left < 0) malformed();  // more codes than the lengths allow
    }
    std::array<uint16_t, kMaxCodeBits + 2> offsets{};
    for (unsigned bits = 1; bits <= kMaxCodeBits; ++bits)
      offsets[bits + 1] = static_cast<uint16_t>(offsets[bits] + counts_[bits]);
    std::array<uint32_t, kMaxCodeBits + 1> nextCode{};
    uint32_t code = 0;
    for (unsigned bits = 1; bits <= kMaxCodeBits; ++bits) {
      code = (code + counts_[bits - 1]) << 1;
      nextCode[bits] = code;
    }
    for (size_t s = 0; s < symbols; ++s) {
      unsigned bits = lengths[s];
      if (bits == 0) continue;
      sorted_[offsets[bits]++] = static_cast<uint16_t>(s);
      uint32_t c = nextCode[bits]++;
      if (bits > kFastBits) continue;
      auto [kind, extra] = classify(static_cast<unsigned>(s));
      FastEntry entry{static_cast<uint8_t>(bits + extra), kind};
      uint32_t reversed = 0;
      for (unsigned i = 0; i < bits; ++i) reversed |= ((c >> i) & 1u) << (bits - 1 - i);
      for (uint32_t i = reversed; i < (1u << kFastBits); i += 1u << bits) fast_[i] = entry;
    }
  }

  // Reads one symbol and its extra bits; the reader holds at least 48 bits.
  SymbolKind skipSymbol(BitReader& in) const {
    FastEntry entry = fast_[in.bits() & kFastMask];
    if (entry.kind != SymbolKind::Slow) {
      in.consume(entry.bits);
      return entry.kind;
    }
    return skipLongCode(in);
  }

  const FastEntry* table() const { return fast_.data(); }

  // Reads one symbol of a code-length code (no extra bits); returns it.
  unsigned decode(BitReader& in) const {
    uint64_t word = in.bits();
    int code = 0, first = 0, index = 0;
    for (unsigned bits = 1; bits <= kMaxCodeBits; ++bits) {
      code |= static_cast<int>((word >> (bits - 1)) & 1u);
      int count = counts_[bits];
      if (code - count < first) {
        in.consume(bits);
        return sorted_[static_cast<size_t>(index + (code - first))];
      }
      index += count;
      first = (first + count) << 1;
      code <<= 1;
    }
    malformed();  // a bit pattern the code does not assign
  }

 private:
  SymbolKind skipLongCode(BitReader& in) const {
    unsigned symbol = decode(in);
    auto [kind, extra] = classify_(symbol);
    in.consume(extra);
    return kind;
  }

  std::array<FastEntry, 1u << kFastBits> fast_{};
  std::array<uint16_t, kMaxCodeBits + 1> counts_{};
  std::array<uint16_t, 288> sorted_{};
  Classify classify_ = nullptr;
};

constexpr size_t kLiteralSymbols = 288;
constexpr size_t kDistanceSymbols = 32;
constexpr unsigned kEndOfBlock = 256;

std::pair<SymbolKind, unsigned> literalOrLength(unsigned symbol) {
  if (symbol < kEndOfBlock) return {SymbolKind::Literal, 0};
  if (symbol == kEndOfBlock) return {SymbolKind::EndOfBlock, 0};
  if (symbol > 285) return {SymbolKind::Invalid, 0};
  return {SymbolKind::Length, lengthExtraBits(symbol)};
}

std::pair<SymbolKind, unsigned> distance(unsigned symbol) {
  if (symbol >= 30) return {SymbolKind::Invalid, 0};
  return {SymbolKind::Literal, distanceExtraBits(symbol)};
}

std::pair<SymbolKind, unsigned> codeLength(unsigned) {
  return {SymbolKind::Literal, 0};
}

struct BlockCodes {
  HuffmanCode literals;
  HuffmanCode distances;
};

const BlockCodes& fixedCodes() {
  static const BlockCodes codes = [] {
    BlockCodes c;
    std::array<uint8_t, kLiteralSymbols> lengths{};
    for (size_t s = 0; s < kLiteralSymbols; ++s)
      lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    c.literals.build(lengths.data(), lengths.size(), literalOrLength);
    std::array<uint8_t, kDistanceSymbols> distances;
    distances.fill(5);
    c.distances.build(distances.data(), distances.size(), distance);
    return c;
  }();
  return codes;
}

void readDynamicCodes(BitReader& in, BlockCodes& codes) {
  size_t literalCount = in.take(5) + 257;
  size_t distanceCount = in.take(5) + 1;
  size_t lengthCodeCount = in.take(4) + 4;
  if (literalCount > 286 || distanceCount > 30) malformed();
  static constexpr std::array<uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                     11, 4,  12, 3, 13, 2, 14, 1, 15};
  std::array<uint8_t, 19> lengthCodeLengths{};
  for (size_t i = 0; i < lengthCodeCount; ++i)
    lengthCodeLengths[kOrder[i]] = static_cast<uint8_t>(in.take(3));
  HuffmanCode lengthCode;
  lengthCode.build(lengthCodeLengths.data(), lengthCodeLengths.size(), codeLength);

  std::array<uint8_t, 286 + 30> lengths{};
  size_t total = literalCount + distanceCount;
  for (size_t i = 0; i < total;) {
    in.refill();
    unsigned symbol = lengthCode.decode(in);
    if (symbol < 16) {
      lengths[i++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t value = 0;
    size_t repeat;
    if (symbol == 16) {
      if (i == 0) malformed();
      value = lengths[i - 1];
      repeat = 3 + in.take(2);
    } else if (symbol == 17) {
      repeat = 3 + in.take(3);
    } else {
      repeat = 11 + in.take(7);
    }
    if (i + repeat > total) malformed();
    for (size_t r = 0; r < repeat; ++r) lengths[i++] = value;
  }
  if (lengths[kEndOfBlock] == 0) malformed();
  codes.literals.build(lengths.data(), literalCount, literalOrLength);
  codes.distances.build(lengths.data() + literalCount, distanceCount, distance);
}

// The walk's inner loop: a literal, or a length with its distance, per
// step. The distance entry is looked up for every symbol and its bits taken
// only after a length, so the common cases need no branch the data decides.
// The loop works on a copy of the reader that never leaves it, so its state
// stays in registers; the rare cases go back to the caller's reader.
void skipCodedData(BitReader& in, const BlockCodes& codes) {
  const FastEntry* literals = codes.literals.table();
  const FastEntry* distances = codes.distances.table();
  BitReader r = in;
  for (;;) {
    r.refill();
    uint64_t bits = r.bits();
    FastEntry symbol = literals[bits & kFastMask];
    FastEntry after = distances[(bits >> symbol.bits) & kFastMask];
    unsigned isLength = static_cast<unsigned>(symbol.kind);
    if (symbol.kind <= SymbolKind::Length &&
        (isLength & (after.kind != SymbolKind::Literal)) == 0) {
      r.consume(symbol.bits + (after.bits & (0u - isLength)));
      continue;
    }
    // A long code, the block's end, a symbol Deflate does not allow, or a
    // length whose distance code is long.
    in = r;
    SymbolKind kind = codes.literals.skipSymbol(in);
    if (kind == SymbolKind::EndOfBlock) return;
    if (kind == SymbolKind::Length && codes.distances.skipSymbol(in) != SymbolKind::Literal)
      malformed();
    if (kind != SymbolKind::Literal && kind != SymbolKind::Length) malformed();
    r = in;
  }
}

void skipStoredData(BitReader& in) {
  in.alignToByte();
  size_t at = in.position() / 8;
  if (in.position() + 32 > in.limit()) malformed();
  const uint8_t* header = in.data() + at;
  unsigned length = header[0] | (header[1] << 8);
  unsigned complement = header[2] | (header[3] << 8);
  if ((length ^ 0xFFFFu) != complement) malformed();
  in.seek(at + 4 + length);
}

}  // namespace

DeflateStreamEnd findDeflateStreamEnd(const uint8_t* stream, size_t length) {
  BitReader in(stream, length);
  BlockCodes dynamic;
  for (;;) {
    in.refill();
    size_t header = in.position();
    bool final = in.take(1) != 0;
    switch (in.take(2)) {
      case 0:
        skipStoredData(in);
        break;
      case 1:
        skipCodedData(in, fixedCodes());
        break;
      case 2:
        readDynamicCodes(in, dynamic);
        skipCodedData(in, dynamic);
        break;
      default:
        malformed();
    }
    size_t end = in.position();
    if (end > in.limit()) malformed();
    if (final) return {header, end};
  }
}

void openDeflateStreamEnd(Bytes& stream) {
  DeflateStreamEnd end = findDeflateStreamEnd(stream.data(), stream.size());
  stream[end.finalBlockBit / 8] &= static_cast<uint8_t>(~(1u << (end.finalBlockBit % 8)));
  // Then a stored block header (not final, type 0: three zero bits), the
  // padding to the byte boundary, and the lengths 0 and ~0.
  size_t headerEnd = end.endBit + 3;
  stream.resize((headerEnd + 7) / 8);
  size_t firstFree = end.endBit / 8;
  if (end.endBit % 8 != 0)
    stream[firstFree++] &= static_cast<uint8_t>((1u << (end.endBit % 8)) - 1);
  for (size_t byte = firstFree; byte < stream.size(); ++byte) stream[byte] = 0;
  for (uint8_t b : {0x00, 0x00, 0xFF, 0xFF}) stream.push_back(b);
}

Bytes emptyDeflateStream() {
  return Bytes{0x03, 0x00};
}

}  // namespace archive
