#include "platform/core/dos_date_time.h"

namespace platform {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = 2107;
constexpr uint64_t kTwoSeconds = 2 * kFileTimeTicksPerSecond;

}  // namespace

DosDateTime dosDateTimeFromFields(const SystemTime& t) {
  return {static_cast<uint16_t>((t.year - kFirstYear) << 9 | t.month << 5 | t.day),
          static_cast<uint16_t>(t.hour << 11 | t.minute << 5 | t.second / 2)};
}

std::optional<DosDateTime> fileTimeToDosDateTime(FileTime time, DosSecondRounding rounding) {
  uint64_t steps = time.value / kTwoSeconds;
  if (rounding == DosSecondRounding::Up && time.value % kTwoSeconds != 0) ++steps;
  auto fields = fileTimeToSystemTime(FileTime{steps * kTwoSeconds});
  if (!fields || fields->year < kFirstYear || fields->year > kLastYear) return std::nullopt;
  return dosDateTimeFromFields(*fields);
}

DosDateTime clampedDosDateTime(FileTime time) {
  if (auto dos = fileTimeToDosDateTime(time)) return *dos;
  static const FileTime kFirst = *systemTimeToFileTime(SystemTime{kFirstYear, 1, 0, 1});
  if (time < kFirst) return dosDateTimeFromFields(SystemTime{kFirstYear, 1, 0, 1});
  return dosDateTimeFromFields(SystemTime{kLastYear, 12, 0, 31, 23, 59, 58});
}

std::optional<FileTime> dosDateTimeToFileTime(DosDateTime dos) {
  SystemTime fields;
  fields.year = kFirstYear + (dos.date >> 9);
  fields.month = (dos.date >> 5) & 0x0F;
  fields.day = dos.date & 0x1F;
  fields.hour = dos.time >> 11;
  fields.minute = (dos.time >> 5) & 0x3F;
  fields.second = (dos.time & 0x1F) * 2;
  return systemTimeToFileTime(fields);
}

}  // namespace platform
