#pragma once
// FILETIME: 100-nanosecond intervals since 1 January 1601 (UTC), the unit of
// the three Windows file times, and its conversion to and from host times.

#include <compare>
#include <cstdint>

#include "platform/host/host_time.h"

namespace platform {

struct FileTime {
  uint64_t value = 0;
  friend bool operator==(FileTime, FileTime) = default;
  friend auto operator<=>(FileTime, FileTime) = default;
};

inline constexpr uint64_t kFileTimeTicksPerSecond = 10000000;
// Seconds from 1601-01-01 to the Unix epoch.
inline constexpr uint64_t kUnixEpochInFileTimeSeconds = 11644473600ull;

// Host times before 1601 become 0.
FileTime fileTimeFromHost(const host::HostTime& time);
// Times before 1970 become negative seconds, as the host allows.
host::HostTime hostTimeFromFileTime(FileTime time);
FileTime currentFileTime();

// The three times Windows keeps for a file.
struct FileTimes {
  FileTime creation;
  FileTime lastAccess;
  FileTime lastWrite;
};

}  // namespace platform
