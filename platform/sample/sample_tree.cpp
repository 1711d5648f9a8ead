#include "platform/sample/sample_tree.h"

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/system_time.h"
#include "platform/host/host_files.h"

namespace platform::sample {

SampleTime sampleTime(int year, int month, int day, int hour, int minute) {
  SystemTime fields{year, month, 0, day, hour, minute};
  return hostTimeFromFileTime(systemTimeToFileTime(fields).value()).seconds;
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

namespace {

namespace fs = std::filesystem;

[[noreturn]] void hostFailure(const std::string& what, const fs::path& path,
                              const std::error_code& error) {
  throw corvasta::Error("Cannot " + what + " " + path.string() + ": " + error.message());
}

}  // namespace

void setTimes(const fs::path& path, SampleTime time) {
  const host::HostTime moment{time, 0};
  if (std::error_code error = host::setTimes(path, moment, moment, host::FollowLinks::Yes))
    hostFailure("set the time of", path, error);
}

fs::path hostPathOf(const fs::path& root, std::string_view winPath) {
  fs::path host = root;
  size_t start = 0;
  while (start <= winPath.size()) {
    size_t end = winPath.find('\\', start);
    std::string_view part =
        winPath.substr(start, end == std::string_view::npos ? end : end - start);
    if (!part.empty()) host /= ansiToUtf8(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return host;
}

void writeSampleTree(const SampleTree& tree, const fs::path& root) {
  if (std::error_code error = host::makeDirectories(root)) hostFailure("create", root, error);
  for (const auto& entry : tree.entries()) {
    fs::path host = hostPathOf(root, entry.path);
    if (entry.folder) {
      if (std::error_code error = host::makeDirectories(host)) hostFailure("create", host, error);
      continue;
    }
    if (std::error_code error = host::writeFile(host, entry.bytes))
      hostFailure("write", host, error);
    setTimes(host, entry.time);
  }
  const auto& entries = tree.entries();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (it->folder) setTimes(hostPathOf(root, it->path), it->time);
  setTimes(root, tree.defaultTime());
}

}  // namespace platform::sample
