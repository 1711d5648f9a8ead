#pragma once
// Reading the registry files of Windows 95, 98 and ME (system.dat, user.dat,
// classes.dat) into a key tree.

#include <cstddef>
#include <cstdint>

#include "platform/registry/registry_tree.h"

namespace platform::registry {

// Reads a whole file image. Names come back as UTF-8 (converted from
// Windows-1252); value data is kept byte for byte as stored, so strings are
// ANSI and `stringEncoding` is Ansi. The root key has an empty name and no
// values unless the file gives it a data record (a saved key) holding them.
//
// The file is checked as a whole: bad signatures, offsets and sizes outside
// their structure, key tree loops, data records that do not tile their block,
// and checksums that the file marks as valid but do not match all throw
// RegistryFormatError with the file offset of the fault. Nothing outside the
// buffer is ever read.
RegistryTree readWin9xRegistry(const uint8_t* data, size_t size);

}  // namespace platform::registry
