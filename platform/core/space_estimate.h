#pragma once
// What a drive can still take, as its last count found it less what was
// written through the drive since. Counting on every write (walking a medium
// with a capacity, asking the host for its free space) costs more than most
// writes; the estimate is trusted for a while, and only to say that a write
// fits: a write it would refuse is checked against a new count first.
// Deletions are not subtracted, so it errs on the full side.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

namespace platform {

class SpaceEstimate {
 public:
  using Clock = std::chrono::steady_clock;
  // What a count found: the bytes the drive may hold and those in use.
  struct Count {
    uint64_t limit = 0;
    uint64_t used = 0;
  };
  using Counter = std::function<Count()>;

  // A count is trusted for `lifetime`: changes made behind the program's
  // back (on the host) show up within it; the program's own writes are
  // counted as they happen.
  explicit SpaceEstimate(Clock::duration lifetime) : lifetime_(lifetime) {}

  // Takes `growth` bytes on the medium at `root` when they fit; false when
  // even a new count leaves no room for them. Counts through `count` when
  // the estimate is stale, of another medium, or too full.
  bool take(uint64_t growth, const std::filesystem::path& root, const Counter& count,
            Clock::time_point now = Clock::now());
  // A count made for another purpose (GetDiskFreeSpaceEx) is kept.
  void record(const std::filesystem::path& root, Count count, Clock::time_point now = Clock::now());

 private:
  struct Known {
    std::filesystem::path root;
    Count count;
    Clock::time_point counted;
  };
  Clock::duration lifetime_;
  std::mutex mutex_;
  std::optional<Known> known_;
};

}  // namespace platform
