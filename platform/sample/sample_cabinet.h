#pragma once
// Microsoft cabinet files as Windows' own tools make them: one folder of
// MSZIP-compressed data holding the members flat, with their DOS dates,
// times and attributes. Windows 98 and ME keep their registry backups in such
// cabinets, and NT 4 compresses its repair copies of the hives into them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sample/sample_tree.h"

namespace platform::sample {

struct CabinetMember {
  std::string name;  // ANSI, without folders
  std::string bytes;
  SampleTime time = 0;
  uint8_t attributes = kArchive;
};

// The bytes of the cabinet. Throws corvasta::Error when the library fails.
std::string mszipCabinet(const std::vector<CabinetMember>& members);

}  // namespace platform::sample
