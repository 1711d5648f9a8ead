#pragma once
// The files and folders of one drive of a sample machine, in the order they
// are created, and their writing into the drive's host folder. Paths are Windows paths relative to
// the drive root, in ANSI
// ("WINDOWS\SYSTEM\kernel32.dll"). Every entry carries the time and the DOS
// attributes it should have, so that two creations give identical trees.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sample {

// DOS attribute bits (FILE_ATTRIBUTE_*).
enum DosAttribute : uint8_t {
  kReadOnly = 0x01,
  kHidden = 0x02,
  kSystem = 0x04,
  kArchive = 0x20,
};

// Seconds since 1970-01-01 00:00 UTC, even (FAT keeps times to two seconds).
using SampleTime = int64_t;
SampleTime sampleTime(int year, int month, int day, int hour = 0, int minute = 0);

struct SampleEntry {
  std::string path;  // relative Windows path, ANSI
  bool folder = false;
  std::string bytes;  // file content
  SampleTime time = 0;
  uint8_t attributes = 0;
};

class SampleTree {
 public:
  explicit SampleTree(SampleTime defaultTime) : defaultTime_(defaultTime) {}

  // Adds a folder and any missing parents; an existing folder gets the given
  // attributes added.
  void folder(std::string_view path, uint8_t attributes = 0);
  // Adds (or replaces) a file, creating missing parent folders. Files get the
  // archive attribute, as Windows gives every newly written file.
  void file(std::string_view path, std::string bytes, SampleTime time, uint8_t attributes = 0);
  void file(std::string_view path, std::string bytes) {
    file(path, std::move(bytes), defaultTime_);
  }

  bool contains(std::string_view path) const;
  const std::vector<SampleEntry>& entries() const { return entries_; }
  SampleTime defaultTime() const { return defaultTime_; }

 private:
  SampleEntry* find(std::string_view path);

  SampleTime defaultTime_;
  std::vector<SampleEntry> entries_;
};

// Creates every folder and file of `tree` below `root` (which is created as
// needed) and sets their modification and access times; folders get theirs
// last, so that writing their contents does not change them again. Throws
// corvasta::Error on a host failure.
void writeSampleTree(const SampleTree& tree, const std::filesystem::path& root);

// Sets a host file's or folder's modification and access times.
void setTimes(const std::filesystem::path& path, SampleTime time);

// The host path of a relative Windows path below `root`.
std::filesystem::path hostPathOf(const std::filesystem::path& root, std::string_view winPath);

}  // namespace platform::sample
