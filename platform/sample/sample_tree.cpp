#include "platform/sample/sample_tree.h"

#include "platform/core/codepage.h"

namespace platform::sample {

SampleTime sampleTime(int year, int month, int day, int hour, int minute) {
  // Days from the civil date (proleptic Gregorian), as in H. Hinnant's
  // days_from_civil.
  int y = month <= 2 ? year - 1 : year;
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  int64_t days = static_cast<int64_t>(era) * 146097 + doe - 719468;
  return days * 86400 + hour * 3600 + minute * 60;
}

SampleEntry* SampleTree::find(std::string_view path) {
  for (auto& entry : entries_)
    if (ansiEqualNoCase(entry.path, path)) return &entry;
  return nullptr;
}

bool SampleTree::contains(std::string_view path) const {
  for (const auto& entry : entries_)
    if (ansiEqualNoCase(entry.path, path)) return true;
  return false;
}

void SampleTree::folder(std::string_view path, uint8_t attributes) {
  if (path.empty()) return;
  if (SampleEntry* existing = find(path)) {
    existing->attributes |= attributes;
    return;
  }
  size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos) folder(path.substr(0, slash));
  SampleEntry entry;
  entry.path = std::string(path);
  entry.folder = true;
  entry.time = defaultTime_;
  entry.attributes = attributes;
  entries_.push_back(std::move(entry));
}

void SampleTree::file(std::string_view path, std::string bytes, SampleTime time,
                      uint8_t attributes) {
  size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos) folder(path.substr(0, slash));
  SampleEntry* entry = find(path);
  if (!entry) {
    entries_.emplace_back();
    entry = &entries_.back();
    entry->path = std::string(path);
  }
  entry->bytes = std::move(bytes);
  entry->time = time;
  entry->attributes = static_cast<uint8_t>(attributes | kArchive);
}

}  // namespace platform::sample
