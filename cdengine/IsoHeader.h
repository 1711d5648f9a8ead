#pragma once
// The header of a session as it goes to the disc from sector S on: 16 zero
// sectors, the primary volume descriptor, the Joliet supplementary one, the
// terminator, the path tables (little- and big-endian forms, ISO then
// Joliet), every directory's records (ISO then Joliet), and zero sectors up
// to the file area.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cdengine/IsoLayout.h"
#include "platform/core/system_time.h"

namespace cdengine {

// The identifier texts and dates of the volume descriptors.
struct VolumeIdentifiers {
  std::string system;
  std::string volume;
  std::string volumeSet;
  std::string publisher;
  std::string preparer;
  std::string application;
  std::string copyrightFile;
  std::string abstractFile;
  std::string bibliographicFile;
  // Unset: the zero date, 30 December 1899 at midnight.
  std::optional<platform::SystemTime> creation;
  std::optional<platform::SystemTime> modification;
};

struct HeaderMoment {
  platform::SystemTime now;  // dates the "." and ".." records
  int8_t timeZone = 0;       // 15-minute steps east of UTC
};

std::vector<uint8_t> buildImageHeader(const IsoTree& tree, const IsoLayout& layout,
                                      const VolumeIdentifiers& ids, const HeaderMoment& moment);

// The 17-byte descriptor date: sixteen digits (year to hundredths) and a
// zero time-zone byte; unset gives "1899123000000000".
std::string descriptorDate(const std::optional<platform::SystemTime>& date);

}  // namespace cdengine
