#include "platform/core/system_time.h"

#include <chrono>

namespace platform {

namespace {

using namespace std::chrono;

constexpr sys_days kFileTimeEpoch = sys_days{year{1601} / January / 1};
constexpr uint64_t kTicksPerMillisecond = kFileTimeTicksPerSecond / 1000;
constexpr uint64_t kTicksPerDay = 86400 * kFileTimeTicksPerSecond;

}  // namespace

std::optional<SystemTime> fileTimeToSystemTime(FileTime time) {
  if (time.value >> 63) return std::nullopt;
  const sys_days day = kFileTimeEpoch + days{static_cast<int64_t>(time.value / kTicksPerDay)};
  const uint64_t ticksOfDay = time.value % kTicksPerDay;
  const uint64_t secondsOfDay = ticksOfDay / kFileTimeTicksPerSecond;
  const year_month_day date{day};
  SystemTime result;
  result.year = static_cast<int>(date.year());
  result.month = static_cast<int>(static_cast<unsigned>(date.month()));
  result.day = static_cast<int>(static_cast<unsigned>(date.day()));
  result.dayOfWeek = static_cast<int>(weekday{day}.c_encoding());
  result.hour = static_cast<int>(secondsOfDay / 3600);
  result.minute = static_cast<int>(secondsOfDay / 60 % 60);
  result.second = static_cast<int>(secondsOfDay % 60);
  result.milliseconds =
      static_cast<int>(ticksOfDay % kFileTimeTicksPerSecond / kTicksPerMillisecond);
  return result;
}

std::optional<FileTime> systemTimeToFileTime(const SystemTime& time) {
  if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
      time.second > 59 || time.milliseconds < 0 || time.milliseconds > 999)
    return std::nullopt;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  if (!date.ok()) return std::nullopt;
  const auto dayNumber = static_cast<uint64_t>((sys_days{date} - kFileTimeEpoch).count());
  const uint64_t seconds = static_cast<uint64_t>(time.hour) * 3600 +
                           static_cast<uint64_t>(time.minute) * 60 +
                           static_cast<uint64_t>(time.second);
  return FileTime{dayNumber * kTicksPerDay + seconds * kFileTimeTicksPerSecond +
                  static_cast<uint64_t>(time.milliseconds) * kTicksPerMillisecond};
}

}  // namespace platform
