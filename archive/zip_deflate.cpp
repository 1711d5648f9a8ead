#include "archive/zip_deflate.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <zlib.h>

#include <array>
#include <limits>

#include "archive/zip_worker_pool.h"

namespace archive {
namespace {

// Pack levels 1-2 go to igzip, higher ones to libdeflate, whose levels do more
// per step than zlib's (and Info-ZIP's). Each choice gives archives no larger
// than Info-ZIP at the same pack level on both benchmark corpora (a profile
// tree and a backup of very repetitive mail records; docs/archive.md), at a
// fraction of the time.
constexpr int kLastIgzipPackLevel = 2;

int igzipLevel(int packLevel) {
  static constexpr std::array<int, kLastIgzipPackLevel + 1> kLevels = {0, 2, 3};
  return kLevels[static_cast<size_t>(packLevel)];
}

int libdeflateLevel(int packLevel) {
  static constexpr std::array<int, 10> kLevels = {0, 1, 1, 3, 4, 6, 6, 7, 8, 9};
  return kLevels[static_cast<size_t>(packLevel)];
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

size_t igzipWhole(const uint8_t* data, size_t length, int level, uint8_t* out, size_t capacity) {
  // The stream state (80 KB) and level buffer are kept per thread.
  struct State {
    isal_zstream stream;
    std::array<Bytes, ISAL_DEF_MAX_LEVEL + 1> levelBuffers;
  };
  thread_local std::unique_ptr<State> state = std::make_unique<State>();
  Bytes& levelBuffer = state->levelBuffers[static_cast<size_t>(level)];
  if (levelBuffer.empty()) levelBuffer.resize(igzipLevelBufferSize(level));
  isal_zstream& s = state->stream;
  isal_deflate_stateless_init(&s);
  s.level = static_cast<uint32_t>(level);
  s.level_buf = levelBuffer.data();
  s.level_buf_size = static_cast<uint32_t>(levelBuffer.size());
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
  return libdeflate_deflate_compress(compressorFor(libdeflateLevel(level)), data, length, out,
                                     capacity);
}

}  // namespace

size_t deflateWhole(const uint8_t* data, size_t length, int level, uint8_t* out, size_t capacity) {
  return level <= kLastIgzipPackLevel ? igzipWhole(data, length, igzipLevel(level), out, capacity)
                                      : libdeflateWhole(data, length, level, out, capacity);
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

class ZlibEngine : public DeflateStream::Engine {
 public:
  explicit ZlibEngine(int level) : stream_(std::make_unique<z_stream_s>()) {
    if (deflateInit2(stream_.get(), level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      throw ZipError("Out of memory for the compressor");
  }
  ~ZlibEngine() override { deflateEnd(stream_.get()); }

  // Earlier data that matches may refer to, before any input.
  void prime(const Bytes& dictionary) {
    if (!dictionary.empty() && deflateSetDictionary(stream_.get(), dictionary.data(),
                                                    static_cast<uInt>(dictionary.size())) != Z_OK)
      throw ZipError("Deflate compression failed");
  }

  // Ends the output so far on a byte boundary (an empty stored block), so
  // another Deflate stream's blocks can follow.
  void syncFlush(Bytes& out) { run(nullptr, 0, Z_SYNC_FLUSH, out); }

  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out) override {
    run(data, length, finish ? Z_FINISH : Z_NO_FLUSH, out);
  }

 private:
  // Deflates all of the input with the flush mode; returns once the input is
  // taken and what the mode asks for is out (the stream's end for Z_FINISH).
  void run(const uint8_t* data, size_t length, int flush, Bytes& out) {
    stream_->next_in = const_cast<Bytef*>(data);
    stream_->avail_in = checkedLength(length);
    for (;;) {
      size_t start = out.size();
      size_t room = outputRoom(stream_->avail_in);
      out.resize(start + room);
      stream_->next_out = out.data() + start;
      stream_->avail_out = static_cast<uInt>(room);
      int result = deflate(stream_.get(), flush);
      out.resize(start + room - stream_->avail_out);
      if (result == Z_STREAM_END) return;
      if (result != Z_OK && result != Z_BUF_ERROR) throw ZipError("Deflate compression failed");
      if (flush != Z_FINISH && stream_->avail_in == 0 && stream_->avail_out != 0) return;
    }
  }

  std::unique_ptr<z_stream_s> stream_;
};

// Compresses a long stream in chunks on worker threads, the way pigz does:
// each chunk is a zlib stream primed with the 32 KiB of input before it and
// ended with a sync flush (the last one with the end of the stream), so the
// chunks joined in order are one Deflate stream, within a fraction of a
// percent of the size one zlib stream gives.
class ParallelZlibEngine : public DeflateStream::Engine {
 public:
  ParallelZlibEngine(int level, unsigned workers) : level_(level), pool_(workers) {}

  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out) override {
    pool_.submit([level = level_, dictionary = dictionary_, chunk = Bytes(data, data + length),
                  finish] { return compressChunk(level, dictionary, chunk, finish); });
    keepDictionary(data, length);
    while (pool_.full() || (finish && pool_.pending() > 0)) {
      Bytes packed = pool_.collect();
      out.insert(out.end(), packed.begin(), packed.end());
    }
  }

 private:
  static constexpr size_t kWindow = 32u << 10;

  static Bytes compressChunk(int level, const Bytes& dictionary, const Bytes& chunk, bool last) {
    ZlibEngine engine(level);
    engine.prime(dictionary);
    Bytes packed;
    engine.compress(chunk.data(), chunk.size(), last, packed);
    if (!last) engine.syncFlush(packed);
    return packed;
  }

  void keepDictionary(const uint8_t* data, size_t length) {
    if (length >= kWindow) {
      dictionary_.assign(data + length - kWindow, data + length);
      return;
    }
    dictionary_.insert(dictionary_.end(), data, data + length);
    if (dictionary_.size() > kWindow)
      dictionary_.erase(
          dictionary_.begin(),
          dictionary_.begin() + static_cast<std::ptrdiff_t>(dictionary_.size() - kWindow));
  }

  int level_;
  Bytes dictionary_;
  OrderedWorkerPool<Bytes> pool_;
};

class IgzipEngine : public DeflateStream::Engine {
 public:
  explicit IgzipEngine(int level)
      : stream_(std::make_unique<isal_zstream>()), levelBuffer_(igzipLevelBufferSize(level)) {
    isal_deflate_init(stream_.get());
    stream_->level = static_cast<uint32_t>(level);
    stream_->level_buf = levelBuffer_.data();
    stream_->level_buf_size = static_cast<uint32_t>(levelBuffer_.size());
    stream_->flush = NO_FLUSH;
  }

  void compress(const uint8_t* data, size_t length, bool finish, Bytes& out) override {
    isal_zstream& s = *stream_;
    s.next_in = const_cast<uint8_t*>(data);
    s.avail_in = checkedLength(length);
    s.end_of_stream = finish ? 1 : 0;
    do {
      size_t start = out.size();
      size_t room = outputRoom(s.avail_in);
      out.resize(start + room);
      s.next_out = out.data() + start;
      s.avail_out = static_cast<uint32_t>(room);
      int result = isal_deflate(&s);
      out.resize(start + room - s.avail_out);
      if (result != COMP_OK) throw ZipError("Deflate compression failed");
    } while (s.avail_in > 0 || (finish && s.internal_state.state != ZSTATE_END));
  }

 private:
  std::unique_ptr<isal_zstream> stream_;
  Bytes levelBuffer_;
};

}  // namespace

DeflateStream::DeflateStream(int level, unsigned workers) {
  if (level <= kLastIgzipPackLevel)
    engine_ = std::make_unique<IgzipEngine>(igzipLevel(level));
  else if (workers > 0)
    engine_ = std::make_unique<ParallelZlibEngine>(level, workers);
  else
    engine_ = std::make_unique<ZlibEngine>(level);
}

DeflateStream::~DeflateStream() = default;

void DeflateStream::compress(const uint8_t* data, size_t length, bool finish, Bytes& out) {
  engine_->compress(data, length, finish, out);
}

}  // namespace archive
