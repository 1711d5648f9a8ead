#include "platform/core/clock.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {

class SystemClock : public Clock {
 public:
  uint64_t nowMs() const override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void sleepMs(uint64_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

void ManualClock::sleepMs(uint64_t ms) {
  now_.fetch_add(ms);
  slept_.fetch_add(ms);
  std::this_thread::yield();
}

}  // namespace platform
