#include "cdengine/MainThreadCalls.h"

#include <utility>

namespace cdengine {

MainThreadCalls::MainThreadCalls() : main_(std::this_thread::get_id()) {}

void MainThreadCalls::post(std::function<void()> call) {
  if (onMainThread()) {
    call();
    return;
  }
  std::lock_guard lock(mutex_);
  if (!shutDown_) calls_.push_back({std::move(call), nextTicket_++});
}

bool MainThreadCalls::postAndWait(std::function<void()> call) {
  if (onMainThread()) {
    call();
    return true;
  }
  std::unique_lock lock(mutex_);
  if (shutDown_) return false;
  const uint64_t ticket = nextTicket_++;
  calls_.push_back({std::move(call), ticket});
  ran_.wait(lock, [&] { return shutDown_ || lastRun_ >= ticket; });
  return lastRun_ >= ticket;
}

int MainThreadCalls::runPending() {
  int count = 0;
  for (;;) {
    Entry entry;
    {
      std::lock_guard lock(mutex_);
      if (calls_.empty() || shutDown_) return count;
      entry = std::move(calls_.front());
      calls_.pop_front();
    }
    // Run outside the lock: the call may post again or read the engine.
    entry.call();
    ++count;
    {
      std::lock_guard lock(mutex_);
      lastRun_ = entry.ticket;
    }
    ran_.notify_all();
  }
}

void MainThreadCalls::shutdown() {
  {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    calls_.clear();
  }
  ran_.notify_all();
}

}  // namespace cdengine
