#include "platform/core/space_estimate.h"

namespace platform {
namespace {

// The fastest the host is taken to fill a medium behind the program's back:
// a count past its lifetime is still trusted while the room it leaves is
// more than that could have filled since.
constexpr double kHostFillBytesPerSecond = 1024.0 * 1024 * 1024;

}  // namespace

bool SpaceEstimate::take(uint64_t growth, const std::filesystem::path& root, const Counter& count,
                         Clock::time_point now) {
  std::lock_guard lock(mutex_);
  // A count older than its lifetime is still trusted while the room it
  // leaves could not have been filled on the host since: a walk of a large,
  // mostly empty drive is not repeated every few seconds of a long write,
  // and a nearly full one is counted again as before.
  auto stale = [&] {
    const Clock::duration age = now - known_->counted;
    if (age <= lifetime_) return false;
    const Count& c = known_->count;
    if (c.used > c.limit || growth > c.limit - c.used) return true;
    const double seconds = std::chrono::duration<double>(age).count();
    return static_cast<double>(c.limit - c.used - growth) <= seconds * kHostFillBytesPerSecond;
  };
  bool fresh = false;
  if (!known_ || known_->root != root || stale()) {
    known_ = Known{root, count(), now};
    fresh = true;
  }
  auto fits = [&] {
    const Count& c = known_->count;
    return c.used <= c.limit && growth <= c.limit - c.used;
  };
  if (!fits() && !fresh) known_ = Known{root, count(), now};
  if (!fits()) return false;
  known_->count.used += growth;
  return true;
}

void SpaceEstimate::record(const std::filesystem::path& root, Count count, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  known_ = Known{root, count, now};
}

}  // namespace platform
