#pragma once
// Registry files with free space inside, as Windows leaves them after keys
// were deleted, and registry files grown to a given size for benchmarks:
// live keys for two thirds of it, free space for the last third.

#include <cstdint>
#include <filesystem>
#include <string>

namespace testing_support {

// A Windows 9x registry file (system.dat, user.dat) with a data block of
// `bytes` appended that holds one free record, its header checksum valid.
// The file still reads as the same keys and values.
std::string withFreeWin9xBlock(std::string image, uint32_t bytes);

// An NT hive with hive bins of `bytes` (a multiple of 4096) appended, each
// one free cell, the base block updated. The hive reads as the same keys.
std::string withFreeNtBins(std::string hive, uint32_t bytes);

enum class RegistryFormat { Win9x, NtHive };

// Grows the registry file at `file` (a host path) to about `bytes`: keys
// "Grown\Key<n>" under its root, each with four incompressible binary
// values of 8 to 512 bytes, until the live part holds two thirds of `bytes`, then free space for
// the rest (free data blocks or free hive bins). The keys of before stay.
void growRegistryFile(const std::filesystem::path& file, RegistryFormat format, uint64_t bytes);

// The smallest size a compact rewrite of the file can have, from its live
// records: NT, the base block and the 4064 usable bytes of each 4 KB bin
// page filled with the allocated cells; Windows 9x, the file header, the key
// tree section's header and entries, and the live key records with one
// data block header for each 64 KB of them.
uint64_t liveRecordBound(const std::string& image, RegistryFormat format);

}  // namespace testing_support
