#pragma once
// The plain bytes of one large entry on their way from the thread that
// inflates them to the caller's thread that writes them: a few chunks at a
// time, so memory stays bounded whatever the entry's size. Buffers the
// caller has written come back for later chunks.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace archive {

class PlainStream {
 public:
  static constexpr size_t kChunkBytes = size_t{2} << 20;
  static constexpr size_t kMaxChunks = 4;

  struct Chunk {
    std::unique_ptr<uint8_t[]> data;
    size_t length = 0;
  };

  // --- The producing thread ---
  // Appends plain bytes; blocks while kMaxChunks full chunks wait. Throws
  // Abandoned once the caller gave the stream up.
  void write(const uint8_t* data, size_t length);
  // The entry ended: with failure, what went wrong (the caller rethrows it
  // after the chunks before it).
  void finish(std::exception_ptr failure);
  struct Abandoned {};

  // --- The caller's thread ---
  // The next chunk, waiting for it; false at the end of the entry. Rethrows
  // the failure the producer finished with.
  bool next(Chunk& chunk);
  // Hands a written chunk's buffer back.
  void recycle(Chunk chunk);
  // The caller stops reading (it failed or was cancelled): the producer
  // stops at its next write.
  void abandon();

 private:
  void pushFilled();  // with the lock held

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Chunk> filled_;
  std::vector<std::unique_ptr<uint8_t[]>> spare_;
  Chunk current_;  // the producer's
  bool finished_ = false;
  bool abandoned_ = false;
  std::exception_ptr failure_;
};

}  // namespace archive
