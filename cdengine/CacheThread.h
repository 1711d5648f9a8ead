#pragma once
// TCacheThread: reads the session (its header, then the source files) into
// a queue of write-unit blocks ahead of the writer, so that the writer
// never touches a file. It keeps up to the cache size queued, lowers its
// priority as the queue fills, and stops at the first source it cannot
// read with that error. Blocks leave the queue by move, never copied. The
// queue and its counters change only under the engine's critical section.

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cdengine/SessionStream.h"
#include "platform/core/clock.h"

namespace cdengine {

// The write unit: 27 sectors on CD-R and CD-RW, 32 on other media.
uint32_t writeUnitBytes(int discType);
// CacheSize as used: at least 2 MiB, else rounded down to whole sectors.
uint32_t usableCacheSize(uint32_t cacheSize);

struct WriteBlock {
  std::vector<uint8_t> bytes;  // the write unit's size, zero past `length`
  size_t length = 0;
};

class TCacheThread {
 public:
  TCacheThread(SessionStream& stream, std::recursive_mutex& criticalSection, platform::Clock& clock,
               uint32_t cacheSize, uint32_t unitBytes);
  ~TCacheThread();
  TCacheThread(const TCacheThread&) = delete;
  TCacheThread& operator=(const TCacheThread&) = delete;

  void start();
  // Tells the thread to stop and waits for it.
  void stop();

  // The writer's side: moves the oldest block into `out` and returns its
  // length; -1 while the queue is empty but more is coming; 0 once
  // everything was delivered or the producer stopped.
  long take(WriteBlock& out);

  size_t limit() const { return limit_; }
  bool primed() const { return primed_; }
  bool finished() const { return finished_; }
  std::string error() const;
  std::string currentFile() const;

 private:
  void run();
  void produce();
  void enqueue(WriteBlock block);
  void waitForRoom();
  void adjustPriority();
  WriteBlock freshBlock() const;

  SessionStream& stream_;
  std::recursive_mutex& lock_;
  platform::Clock& clock_;
  const uint32_t unit_;
  const size_t limit_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> primed_{false};
  std::atomic<bool> finished_{false};

  // Under lock_.
  std::deque<WriteBlock> queue_;
  uint64_t queuedBytes_ = 0;
  uint64_t toDeliver_ = 0;
  bool produced_ = false;  // every block of the session is queued
  std::string error_;
  std::string currentFile_;
};

}  // namespace cdengine
