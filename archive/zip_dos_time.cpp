#include "archive/zip_dos_time.h"

#include <chrono>

namespace archive {
namespace {

using namespace std::chrono;

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr sys_days kFileTimeEpoch = sys_days{year{1601} / January / 1};
constexpr sys_days kDosFirst = sys_days{year{1980} / January / 1};
constexpr sys_days kDosLast = sys_days{year{2107} / December / 31};

}  // namespace

uint32_t fileTimeToDos(FileTime time) {
  int64_t seconds = static_cast<int64_t>(time / kTicksPerSecond);
  sys_seconds moment =
      sys_seconds{kFileTimeEpoch.time_since_epoch()} + std::chrono::seconds{seconds};
  sys_days day = floor<days>(moment);
  if (day < kDosFirst) return (0u << 25) | (1u << 21) | (1u << 16);
  if (day > kDosLast)
    return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
  year_month_day date{day};
  hh_mm_ss clock{moment - day};
  uint32_t dosDate = ((static_cast<uint32_t>(static_cast<int>(date.year()) - 1980)) << 9) |
                     (static_cast<uint32_t>(static_cast<unsigned>(date.month())) << 5) |
                     static_cast<uint32_t>(static_cast<unsigned>(date.day()));
  uint32_t dosClock = (static_cast<uint32_t>(clock.hours().count()) << 11) |
                      (static_cast<uint32_t>(clock.minutes().count()) << 5) |
                      static_cast<uint32_t>(clock.seconds().count() / 2);
  return (dosDate << 16) | dosClock;
}

std::optional<FileTime> dosToFileTime(uint32_t dosTime) {
  unsigned dosDate = dosTime >> 16;
  unsigned dosClock = dosTime & 0xFFFF;
  year_month_day date{year{static_cast<int>(1980 + (dosDate >> 9))}, month{(dosDate >> 5) & 0x0F},
                      day{dosDate & 0x1F}};
  unsigned hour = dosClock >> 11, minute = (dosClock >> 5) & 0x3F, second = (dosClock & 0x1F) * 2;
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  auto sinceEpoch = sys_days{date} - kFileTimeEpoch;
  uint64_t seconds =
      static_cast<uint64_t>(duration_cast<std::chrono::seconds>(sinceEpoch).count()) +
      hour * 3600u + minute * 60u + second;
  return seconds * kTicksPerSecond;
}

}  // namespace archive
