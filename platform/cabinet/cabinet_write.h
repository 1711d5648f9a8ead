#pragma once
// Microsoft cabinet files as Windows' own tools make them: one folder of
// MSZIP-compressed data holding the members flat, with their DOS dates,
// times and attributes. Windows 98 and ME keep their registry backups in such
// cabinets, and NT 4 compresses its repair copies of the hives into them.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct CabinetMember {
  std::string name;  // ANSI, without folders
  std::string bytes;
  // Seconds since 1970. Cabinets keep a local time without a zone: the
  // member's date and time are this time's calendar fields as they are.
  int64_t time = 0;
  uint8_t attributes = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
};

// The bytes of the cabinet. Throws corvasta::Error when the library fails.
std::string mszipCabinet(const std::vector<CabinetMember>& members);

}  // namespace platform
