#include "platform/core/time_zone.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/core/codepage.h"
#include "platform/core/system_time.h"
#include "platform/host/host_time.h"

namespace platform {

namespace {

constexpr int kWestmost = -12 * 60;
constexpr int kEastmost = 14 * 60;

// One or two digits at the start of `text`, taken off it.
std::optional<int> takeNumber(std::string_view& text) {
  size_t digits = 0;
  while (digits < text.size() && digits < 2 &&
         std::isdigit(static_cast<unsigned char>(text[digits])))
    ++digits;
  if (digits == 0) return std::nullopt;
  int value = 0;
  for (size_t i = 0; i < digits; ++i) value = value * 10 + (text[i] - '0');
  text.remove_prefix(digits);
  return value;
}

}  // namespace

std::optional<TimeZone> TimeZone::parse(std::string_view text) {
  if (text.size() < 3 || !ansiEqualNoCase(text.substr(0, 3), "UTC")) return std::nullopt;
  text.remove_prefix(3);
  if (text.empty()) return fixed(0);
  int sign = text.front() == '+' ? 1 : text.front() == '-' ? -1 : 0;
  if (sign == 0) return std::nullopt;
  text.remove_prefix(1);
  auto hours = takeNumber(text);
  if (!hours) return std::nullopt;
  int minutes = 0;
  if (!text.empty()) {
    if (text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    if (text.size() != 2) return std::nullopt;
    auto parsed = takeNumber(text);
    if (!parsed || *parsed > 59) return std::nullopt;
    minutes = *parsed;
  }
  int total = sign * (*hours * 60 + minutes);
  if (total < kWestmost || total > kEastmost) return std::nullopt;
  return fixed(total);
}

std::string TimeZone::text() const {
  if (!minutes_) return "";
  int minutes = *minutes_;
  char out[16];
  std::snprintf(out, sizeof out, "UTC%c%02d:%02d", minutes < 0 ? '-' : '+',
                (minutes < 0 ? -minutes : minutes) / 60, (minutes < 0 ? -minutes : minutes) % 60);
  return out;
}

int64_t TimeZone::offsetSecondsAt(FileTime utc) const {
  if (minutes_) return static_cast<int64_t>(*minutes_) * 60;
  return host::localOffsetSeconds(hostTimeFromFileTime(utc).seconds);
}

FileTime TimeZone::toLocal(FileTime utc) const {
  int64_t offset = offsetSecondsAt(utc) * static_cast<int64_t>(kFileTimeTicksPerSecond);
  if (offset < 0 && utc.value < static_cast<uint64_t>(-offset)) return FileTime{0};
  return FileTime{utc.value + static_cast<uint64_t>(offset)};
}

int TimeZone::standardBiasMinutes(FileTime at) const {
  if (minutes_) return -*minutes_;
  const std::optional<SystemTime> day = fileTimeToSystemTime(at);
  SystemTime january;
  january.year = day ? day->year : 2000;
  SystemTime july = january;
  july.month = 7;
  const auto offsetOn = [this](const SystemTime& fields) -> int64_t {
    const std::optional<FileTime> time = systemTimeToFileTime(fields);
    return time ? offsetSecondsAt(*time) : 0;
  };
  const int64_t standard = std::min(offsetOn(january), offsetOn(july));
  return static_cast<int>(-standard / 60);
}

}  // namespace platform
