#pragma once
// An entry's status from a statx result, for the host files' own use (by
// path in host_files.cpp, by open file in host_file.cpp).

#include <sys/stat.h>

#include "platform/host/host_files.h"

namespace platform::host {

// The fields statx is asked for wherever an EntryStatus is made.
inline constexpr unsigned kStatusFields = STATX_BASIC_STATS | STATX_BTIME;

EntryStatus statusFromStatx(const struct statx& info);

}  // namespace platform::host
