#include "platform/host/host_thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform::host {

namespace {

int niceOf(ThreadPriority level) {
  switch (level) {
    case ThreadPriority::Idle:
      return 19;
    case ThreadPriority::Lowest:
      return 15;
    case ThreadPriority::Lower:
      return 10;
    case ThreadPriority::Normal:
      return 0;
    case ThreadPriority::TimeCritical:
      return -15;
  }
  return 0;
}

}  // namespace

void setCurrentThreadPriority(ThreadPriority level) {
  // On Linux a thread's nice value is its own: the thread id names it.
  const auto thread = static_cast<id_t>(syscall(SYS_gettid));
  (void)setpriority(PRIO_PROCESS, thread, niceOf(level));
}

}  // namespace platform::host
