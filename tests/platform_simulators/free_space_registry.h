#pragma once
// Windows 9x registry files with free space inside, as Windows leaves them
// after keys were deleted: an extra data block holding only a free record.

#include <cstdint>
#include <string>

namespace simulators_test {

// `registry` (a whole system.dat or user.dat) with a free data block of
// `freeBytes` (a multiple of 4096) appended. The header's checksum is marked
// not valid, as Windows leaves it while it works on a file.
std::string withFreeBlock(std::string registry, uint32_t freeBytes);

}  // namespace simulators_test
