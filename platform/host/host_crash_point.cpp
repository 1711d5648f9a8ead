#include "platform/host/host_crash_point.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace platform::host {
namespace {

std::atomic<uint64_t> armedCount{0};  // the count the crash was armed with
std::atomic<uint64_t> remaining{0};   // writes and renames left before it

// True for the one write or rename that is the crash point.
bool reachCrashPoint() {
  if (armedCount.load(std::memory_order_relaxed) == 0) return false;
  uint64_t left = remaining.load(std::memory_order_relaxed);
  while (left > 0)
    if (remaining.compare_exchange_weak(left, left - 1, std::memory_order_relaxed))
      return left == 1;
  return false;
}

}  // namespace

void setCrashAfterWrites(uint64_t count) {
  if (count != 0 && armedCount.load() == count) return;
  armedCount = count;
  remaining = count;
}

WriteAllowance countWrite(size_t size) {
  if (!reachCrashPoint()) return {size, false};
  return {size / 2, true};
}

void countRename() {
  if (reachCrashPoint()) crashNow();
}

void crashNow() {
  ::kill(::getpid(), SIGKILL);
  ::_exit(137);  // not reached: SIGKILL cannot be caught
}

}  // namespace platform::host
