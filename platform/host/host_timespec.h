#pragma once
// HostTime to the timespec the time-setting calls take; a missing time
// leaves that time as it is.

#include <sys/stat.h>

#include <optional>

#include "platform/host/host_time.h"

namespace platform::host {

inline timespec timespecOf(std::optional<HostTime> time) {
  if (!time) return timespec{0, UTIME_OMIT};
  return timespec{static_cast<time_t>(time->seconds), static_cast<long>(time->nanoseconds)};
}

}  // namespace platform::host
