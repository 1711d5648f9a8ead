#pragma once
// A moment as the host keeps it: seconds and nanoseconds since 1970-01-01
// 00:00 UTC. The layers above turn it into a FILETIME.

#include <compare>
#include <cstdint>

namespace platform::host {

struct HostTime {
  int64_t seconds = 0;       // may be negative (before 1970)
  uint32_t nanoseconds = 0;  // 0 .. 999999999
  friend bool operator==(const HostTime&, const HostTime&) = default;
  friend auto operator<=>(const HostTime&, const HostTime&) = default;
};

// The host's real-time clock now.
HostTime currentTime();

// How far the host's local time is ahead of UTC at the moment `utcSeconds`
// (seconds since 1970), in seconds, by the host's time zone (TZ or
// /etc/localtime), daylight saving time included.
int64_t localOffsetSeconds(int64_t utcSeconds);

}  // namespace platform::host
