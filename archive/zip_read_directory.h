#pragma once
// Finds an archive's end records and parses its central directory. Both treat
// the bytes as hostile: every length is checked against what is there.

#include <cstdint>
#include <optional>
#include <vector>

#include "archive/zip_format.h"
#include "archive/zip_source.h"
#include "archive/zip_write_records.h"

namespace archive {

struct ZipEndLocation {
  ZipEndInfo info;
  // Offset in the source where the end records start (the ZIP64 end record
  // when there is one): the central directory normally ends here.
  uint64_t recordsStart = 0;
};

// The end records at the tail of a source, or nullopt when there is no end
// record (a truncated archive, or one disk of a spanned set).
std::optional<ZipEndLocation> findZipEnd(ZipSource& source);

// Reads the fields local and central headers share, from "version needed"
// to the uncompressed size.
void readCommonHeaderFields(ByteReader& r, ZipEntryRecord& e);

// Parses central directory bytes holding expectedEntries headers.
std::vector<ZipEntryRecord> parseCentralDirectory(const uint8_t* data, size_t size,
                                                  uint64_t expectedEntries);

// Reads the central directory the end records describe. When it is not at the
// recorded offset but directly before the end records (a directory copied to
// a file of its own, or data in front of the archive), it is taken from there.
std::vector<ZipEntryRecord> readCentralDirectory(ZipVolumes& volumes, const ZipEndLocation& end);

}  // namespace archive
