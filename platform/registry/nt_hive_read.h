#pragma once
// Reading NT registry hive files ("regf", versions 1.3 to 1.5: NT 4, 2000,
// XP) into a key tree. Names become UTF-8; value data is kept as stored
// (strings stay UTF-16LE), so the tree's stringEncoding is Utf16le.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/registry/registry_tree.h"

namespace platform::registry {

// What the base block says about the file besides the keys.
struct NtHiveInfo {
  uint32_t minorVersion = 0;
  uint64_t lastWritten = 0;  // FILETIME
  std::string fileName;      // UTF-8, the path tail the base block records
  bool clean = false;        // both sequence numbers equal
  bool checksumValid = false;
};

// Reads a hive held in memory. Throws RegistryFormatError (naming the file
// offset) for anything malformed: bad signatures, cell sizes or offsets, loops,
// data outside the hive bins. A bad base block checksum alone is not an error
// (see docs/platform_registry.md); `info` reports it.
RegistryTree readNtHive(const uint8_t* data, size_t size, NtHiveInfo* info = nullptr);

}  // namespace platform::registry
