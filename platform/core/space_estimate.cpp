#include "platform/core/space_estimate.h"

namespace platform {

bool SpaceEstimate::take(uint64_t growth, const std::filesystem::path& root, const Counter& count,
                         Clock::time_point now) {
  std::lock_guard lock(mutex_);
  bool fresh = false;
  if (!known_ || known_->root != root || now - known_->counted > lifetime_) {
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
