#include "platform/core/file_time.h"

#include <limits>

namespace platform {

namespace {
constexpr int64_t kTicksPerSecond = static_cast<int64_t>(kFileTimeTicksPerSecond);
constexpr int64_t kEpochTicks = static_cast<int64_t>(kUnixEpochInFileTimeSeconds) * kTicksPerSecond;
}  // namespace

FileTime fileTimeFromHost(const host::HostTime& time) {
  int64_t ticks = kEpochTicks + time.seconds * kTicksPerSecond + time.nanoseconds / 100;
  return FileTime{ticks < 0 ? 0 : static_cast<uint64_t>(ticks)};
}

host::HostTime hostTimeFromFileTime(FileTime time) {
  // Times beyond what int64 ticks can hold are clamped; FILETIME's own range ends in 30828.
  constexpr auto kLargest = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  int64_t ticks = time.value > kLargest ? std::numeric_limits<int64_t>::max()
                                        : static_cast<int64_t>(time.value);
  int64_t sinceEpoch = ticks - kEpochTicks;
  int64_t seconds = sinceEpoch / kTicksPerSecond;
  int64_t rest = sinceEpoch % kTicksPerSecond;
  if (rest < 0) {
    rest += kTicksPerSecond;
    --seconds;
  }
  return host::HostTime{seconds, static_cast<uint32_t>(rest * 100)};
}

FileTime currentFileTime() {
  return fileTimeFromHost(host::currentTime());
}

}  // namespace platform
