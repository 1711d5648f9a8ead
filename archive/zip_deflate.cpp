#include "archive/zip_deflate.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "archive/zip_deflate_join.h"
#include "archive/zip_worker_pool.h"

namespace archive {
namespace {

enum class Compressor { Igzip, Libdeflate };

struct EngineLevel {
  Compressor compressor;
  int level;
};

// Which compressor and level serve each pack level, for data compressed
// whole and for the chunks of long streams. libdeflate's levels do more per
// step than zlib's (and Info-ZIP's); igzip is faster still at a lower ratio.
// Each choice gives archives no larger than Info-ZIP at the same pack level
// on the benchmark corpora (a profile tree, a tree of real files from a
// Linux system, and a backup of very repetitive mail records;
// docs/archive.md), at a fraction of the time. igzip's level 3 would be
// faster at pack level 2, but on compiled programs and headers it comes out
// a few percent larger than Info-ZIP's -2.
//
// libdeflate cannot end a stream on a byte boundary, so its chunks are
// walked to open their end (zip_deflate_join.h); at its lowest level that
// walk costs a third of the compression, so pack level 2 streams through
// igzip, which flushes by itself and is primed with the chunk before. At
// pack levels 5 and 6 libdeflate's 5 compresses large files within 1 % of
// its 6 in three quarters of the time. Above, libdeflate's 7 and 9 come out
// a hair larger than Info-ZIP's 7 to 9 on some text; its 8 and 10 do not.
struct PackLevelEngines {
  EngineLevel whole;
  EngineLevel chunks;
};

constexpr EngineLevel igzip(int level) {
  return {Compressor::Igzip, level};
}
constexpr EngineLevel libdeflate(int level) {
  return {Compressor::Libdeflate, level};
}

constexpr std::array<PackLevelEngines, 10> kPackLevels = {{
    {igzip(0), igzip(0)},  // not used: level 0 stores
    {igzip(2), igzip(2)},
    {libdeflate(1), igzip(3)},
    {libdeflate(3), libdeflate(3)},
    {libdeflate(4), libdeflate(4)},
    {libdeflate(6), libdeflate(5)},
    {libdeflate(6), libdeflate(5)},
    {libdeflate(8), libdeflate(8)},
    {libdeflate(10), libdeflate(10)},
    {libdeflate(10), libdeflate(10)},
}};

// Data that is already compressed (pictures, archives, gzip'ed documents)
// gains nothing from a deeper search; igzip's level 1 passes over it ten
// times as fast as libdeflate and still finds what repeats.
constexpr EngineLevel kHighEntropyLevel = {Compressor::Igzip, 1};

// Whether data looks compressed already: the byte entropy of three 4 KiB
// samples (start, middle, end) is close to 8 bits. Programs and text stay
// below 6.5 bits; compressed data comes out above 7.9.
bool looksCompressed(const uint8_t* data, size_t length) {
  constexpr size_t kSample = 4096;
  if (length < 2 * kSample) return false;
  std::array<uint32_t, 256> counts{};
  for (size_t start : {size_t{0}, length / 2 - kSample / 2, length - kSample})
    for (size_t i = start; i < start + kSample; ++i) ++counts[data[i]];
  double total = 3.0 * kSample, entropy = 0;
  for (uint32_t count : counts)
    if (count) entropy -= count / total * std::log2(count / total);
  return entropy > 7.5;
}

// `use`: the whole-data or the chunk column of kPackLevels.
EngineLevel engineFor(EngineLevel PackLevelEngines::*use, int packLevel, const uint8_t* data,
                      size_t length) {
  if (packLevel > 1 && looksCompressed(data, length)) return kHighEntropyLevel;
  return kPackLevels[static_cast<size_t>(packLevel)].*use;
}

uint32_t igzipLevelBufferSize(int level) {
  static constexpr std::array<uint32_t, 4> kSizes = {ISAL_DEF_LVL0_DEFAULT, ISAL_DEF_LVL1_DEFAULT,
                                                     ISAL_DEF_LVL2_DEFAULT, ISAL_DEF_LVL3_DEFAULT};
  return kSizes[static_cast<size_t>(level)];
}

uint32_t checkedLength(size_t length) {
  if (length > std::numeric_limits<uint32_t>::max())
    throw ZipError("Deflate was given more than 4 GiB at once");
  return static_cast<uint32_t>(length);
}

// A libdeflate compressor per level and thread: allocating one costs more than
// compressing a small file.
libdeflate_compressor* compressorFor(int level) {
  struct Cache {
    std::array<libdeflate_compressor*, 13> byLevel{};  // libdeflate's levels 0 to 12
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

// igzip's stream state (80 KB) and level buffers, kept per thread; the
// stream comes back initialised for `level`, stateless or streaming.
isal_zstream& igzipStream(int level, bool stateless) {
  struct State {
    isal_zstream stream;
    std::array<Bytes, ISAL_DEF_MAX_LEVEL + 1> levelBuffers;
  };
  thread_local std::unique_ptr<State> state = std::make_unique<State>();
  Bytes& levelBuffer = state->levelBuffers[static_cast<size_t>(level)];
  if (levelBuffer.empty()) levelBuffer.resize(igzipLevelBufferSize(level));
  isal_zstream& s = state->stream;
  if (stateless)
    isal_deflate_stateless_init(&s);
  else
    isal_deflate_init(&s);
  s.level = static_cast<uint32_t>(level);
  s.level_buf = levelBuffer.data();
  s.level_buf_size = static_cast<uint32_t>(levelBuffer.size());
  return s;
}

size_t igzipWhole(const uint8_t* data, size_t length, int level, uint8_t* out, size_t capacity) {
  isal_zstream& s = igzipStream(level, true);
  s.next_in = const_cast<uint8_t*>(data);
  s.avail_in = checkedLength(length);
  s.next_out = out;
  s.avail_out = static_cast<uint32_t>(std::min<size_t>(capacity, 0xFFFFFFFFu));
  s.end_of_stream = 1;
  s.flush = NO_FLUSH;
  int result = isal_deflate_stateless(&s);
  if (result == STATELESS_OVERFLOW) return 0;
  if (result != COMP_OK) throw ZipError("Deflate compression failed");
  return s.total_out;
}

size_t libdeflateWhole(const uint8_t* data, size_t length, int level, uint8_t* out,
                       size_t capacity) {
  return libdeflate_deflate_compress(compressorFor(level), data, length, out, capacity);
}

}  // namespace

size_t deflateWhole(const uint8_t* data, size_t length, int level, uint8_t* out, size_t capacity) {
  EngineLevel engine = engineFor(&PackLevelEngines::whole, level, data, length);
  return engine.compressor == Compressor::Igzip
             ? igzipWhole(data, length, engine.level, out, capacity)
             : libdeflateWhole(data, length, engine.level, out, capacity);
}

class DeflateStream::Engine {
 public:
  virtual ~Engine() = default;
  virtual void compress(const uint8_t* data, size_t length, bool finish, Bytes& out) = 0;
};

namespace {

// Room for one step's output: Deflate grows incompressible input by at most a
// few bytes per 64 KB block, plus whatever the engine held back before.
size_t outputRoom(size_t inputLeft) {
  return inputLeft + inputLeft / 16 + (64u << 10);
}

// Compresses a long stream in chunks of kChunk bytes on worker threads, each
// with the compressor its pack level and content call for. A chunk through
// igzip is primed with the 32 KiB before it and ends with a sync flush; one
// through libdeflate becomes a complete stream that is opened at its end
// (zip_deflate_join.h) and does not refer back into the chunk before it,
// which costs about a tenth of a percent at this chunk size. Either way the
// chunks joined in order are one Deflate stream. In flight: the chunk being
// filled and as many as the pool holds.
class ChunkedEngine : public DeflateStream::Engine {
 public:
  ChunkedEngine(int packLevel, unsigned workers) : packLevel_(packLevel), pool_(workers) {
    filling_.plain.reserve(kChunk);
  }

  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out) override {
    while (length > 0) {
      if (filling_.plain.size() == kChunk) submit(false, out);
      size_t take = std::min(length, kChunk - filling_.plain.size());
      filling_.plain.insert(filling_.plain.end(), data, data + take);
      data += take;
      length -= take;
    }
    if (!finish) return;
    submit(true, out);
    while (pool_.pending() > 0) collectOne(out);
  }

 private:
  static constexpr size_t kChunk = size_t{2} << 20;
  static constexpr size_t kWindow = size_t{32} << 10;

  // A chunk's input, the input before it that igzip may refer to, and the
  // compressed result. The buffers go round between the caller and the
  // workers, so their pages stay mapped: fresh megabytes for every chunk
  // cost a tenth of the compression time in page faults.
  struct Chunk {
    Bytes plain;
    Bytes dictionary;
    Bytes packed;
  };

  static Chunk compressChunk(int packLevel, Chunk chunk, bool last) {
    if (chunk.plain.empty()) {
      chunk.packed = emptyDeflateStream();
      return chunk;
    }
    EngineLevel engine =
        engineFor(&PackLevelEngines::chunks, packLevel, chunk.plain.data(), chunk.plain.size());
    if (engine.compressor == Compressor::Igzip)
      igzipChunk(engine.level, chunk, last);
    else
      libdeflateChunk(engine.level, chunk, last);
    return chunk;
  }

  static void libdeflateChunk(int level, Chunk& chunk, bool last) {
    libdeflate_compressor* compressor = compressorFor(level);
    chunk.packed.resize(libdeflate_deflate_compress_bound(compressor, chunk.plain.size()));
    size_t length = libdeflate_deflate_compress(compressor, chunk.plain.data(), chunk.plain.size(),
                                                chunk.packed.data(), chunk.packed.size());
    if (length == 0) throw ZipError("Deflate compression failed");
    chunk.packed.resize(length);
    if (!last) openDeflateStreamEnd(chunk.packed);
  }

  static void igzipChunk(int level, Chunk& chunk, bool last) {
    isal_zstream& s = igzipStream(level, false);
    if (!chunk.dictionary.empty() &&
        isal_deflate_set_dict(&s, chunk.dictionary.data(),
                              static_cast<uint32_t>(chunk.dictionary.size())) != COMP_OK)
      throw ZipError("Deflate compression failed");
    s.flush = last ? NO_FLUSH : SYNC_FLUSH;
    s.end_of_stream = last ? 1 : 0;
    s.next_in = chunk.plain.data();
    s.avail_in = checkedLength(chunk.plain.size());
    chunk.packed.clear();
    do {
      size_t start = chunk.packed.size();
      size_t room = outputRoom(s.avail_in);
      chunk.packed.resize(start + room);
      s.next_out = chunk.packed.data() + start;
      s.avail_out = static_cast<uint32_t>(room);
      if (isal_deflate(&s) != COMP_OK) throw ZipError("Deflate compression failed");
      chunk.packed.resize(start + room - s.avail_out);
    } while (s.avail_in > 0 || s.avail_out == 0 || (last && s.internal_state.state != ZSTATE_END));
  }

  void submit(bool last, Bytes& out) {
    Chunk next;
    if (!spare_.empty()) {
      next = std::move(spare_.back());
      spare_.pop_back();
    }
    next.plain.clear();
    next.plain.reserve(kChunk);
    size_t keep = std::min(kWindow, filling_.plain.size());
    next.dictionary.assign(filling_.plain.end() - static_cast<std::ptrdiff_t>(keep),
                           filling_.plain.end());
    pool_.submit([packLevel = packLevel_, chunk = std::move(filling_), last]() mutable {
      return compressChunk(packLevel, std::move(chunk), last);
    });
    filling_ = std::move(next);
    while (pool_.full()) collectOne(out);
  }

  void collectOne(Bytes& out) {
    Chunk done = pool_.collect();
    out.insert(out.end(), done.packed.begin(), done.packed.end());
    spare_.push_back(std::move(done));
  }

  int packLevel_;
  Chunk filling_;
  std::vector<Chunk> spare_;
  OrderedWorkerPool<Chunk> pool_;
};

}  // namespace

DeflateStream::DeflateStream(int level, unsigned workers) {
  engine_ = std::make_unique<ChunkedEngine>(level, workers);
}

DeflateStream::~DeflateStream() = default;

void DeflateStream::compress(const uint8_t* data, size_t length, bool finish, Bytes& out) {
  engine_->compress(data, length, finish, out);
}

}  // namespace archive
