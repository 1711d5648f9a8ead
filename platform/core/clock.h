#pragma once
// The one clock behind every sleep, wait and time-out of the CD engine and
// the simulated drives. Production code uses the host's monotonic clock; tests
// put in a manual clock whose sleeps only move its time on, so ten thousand
// retries of 600 ms or a 150-second blank run in milliseconds.

#include <atomic>
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual uint64_t nowMs() const = 0;
  // Blocks the calling thread for `ms` milliseconds of this clock's time.
  virtual void sleepMs(uint64_t ms) = 0;
};

// The host's steady clock; sleeps are real.
Clock& systemClock();

// A clock that stands still until slept on or advanced. Sleeping advances it
// by the slept time and yields the processor, so threads polling one another
// through it still make progress. Safe to share between threads.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t startMs = 0) : now_(startMs) {}
  uint64_t nowMs() const override { return now_.load(); }
  void sleepMs(uint64_t ms) override;
  void advance(uint64_t ms) { now_.fetch_add(ms); }
  // Total time slept through this clock, for tests that count waits.
  uint64_t sleptMs() const { return slept_.load(); }

 private:
  std::atomic<uint64_t> now_;
  std::atomic<uint64_t> slept_{0};
};

}  // namespace platform
