#include "platform/host/host_time.h"

#include <time.h>

namespace platform::host {

HostTime currentTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return HostTime{static_cast<int64_t>(now.tv_sec), static_cast<uint32_t>(now.tv_nsec)};
}

int64_t localOffsetSeconds(int64_t utcSeconds) {
  time_t moment = static_cast<time_t>(utcSeconds);
  tm local{};
  if (localtime_r(&moment, &local) == nullptr) return 0;
  return static_cast<int64_t>(local.tm_gmtoff);
}

}  // namespace platform::host
