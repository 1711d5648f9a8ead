#include "platform/files/file_time.h"

namespace platform {

namespace {
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kEpochTicks = static_cast<int64_t>(kUnixEpochInFileTimeSeconds) * kTicksPerSecond;
}  // namespace

FileTime fileTimeFromTimespec(const timespec& host) {
  int64_t ticks = kEpochTicks + static_cast<int64_t>(host.tv_sec) * kTicksPerSecond +
                  static_cast<int64_t>(host.tv_nsec) / 100;
  return FileTime{ticks < 0 ? 0 : static_cast<uint64_t>(ticks)};
}

timespec timespecFromFileTime(FileTime time) {
  // Times beyond what int64 ticks can hold are clamped; FILETIME's own range ends in 30828.
  int64_t ticks =
      time.value > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(time.value);
  int64_t sinceEpoch = ticks - kEpochTicks;
  int64_t seconds = sinceEpoch / kTicksPerSecond;
  int64_t rest = sinceEpoch % kTicksPerSecond;
  if (rest < 0) {
    rest += kTicksPerSecond;
    --seconds;
  }
  timespec host{};
  host.tv_sec = static_cast<time_t>(seconds);
  host.tv_nsec = static_cast<long>(rest * 100);
  return host;
}

FileTime currentFileTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return fileTimeFromTimespec(now);
}

}  // namespace platform
