#include <atomic>

#include "platform/core/clock.h"
#include "platform/scsi/device_io.h"

namespace platform::scsi {

namespace {

// Polls in steps of one millisecond of the given clock, so a manual clock
// makes a long wait end at once in tests while a real one waits for real.
class PolledEvent : public Event {
 public:
  explicit PolledEvent(Clock& clock) : clock_(clock) {}
  void set() override { set_.store(true); }
  void reset() override { set_.store(false); }
  bool wait(uint64_t ms) override {
    const uint64_t start = clock_.nowMs();
    while (!set_.load()) {
      if (clock_.nowMs() - start >= ms) return false;
      clock_.sleepMs(1);
    }
    return true;
  }

 private:
  Clock& clock_;
  std::atomic<bool> set_{false};
};

}  // namespace

std::unique_ptr<Event> createEvent(Clock& clock) {
  return std::make_unique<PolledEvent>(clock);
}

}  // namespace platform::scsi
