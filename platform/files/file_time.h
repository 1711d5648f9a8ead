#pragma once
// FILETIME: 100-nanosecond intervals since 1 January 1601 (UTC), the unit of
// the three Windows file times, and its conversion to and from host times.

#include <compare>
#include <cstdint>
#include <ctime>

namespace platform {

struct FileTime {
  uint64_t value = 0;
  friend bool operator==(FileTime, FileTime) = default;
  friend auto operator<=>(FileTime, FileTime) = default;
};

// Seconds from 1601-01-01 to the Unix epoch.
inline constexpr uint64_t kUnixEpochInFileTimeSeconds = 11644473600ull;

FileTime fileTimeFromTimespec(const timespec& host);
// Times before 1970 become negative seconds, as the host allows.
timespec timespecFromFileTime(FileTime time);
FileTime currentFileTime();

// The three times Windows keeps for a file.
struct FileTimes {
  FileTime creation;
  FileTime lastAccess;
  FileTime lastWrite;
};

}  // namespace platform
