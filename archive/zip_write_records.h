#pragma once
// Serialises the ZIP records: local headers, data descriptors, central
// directory headers and the end records, with ZIP64 fields wherever a value
// passes the 16- or 32-bit limits of the original records. Names are ANSI
// bytes; local and central headers of a name beyond ASCII also carry the
// Unicode Path field with its UTF-8 form.

#include <cstdint>

#include "archive/zip_bytes.h"
#include "archive/zip_format.h"

namespace archive {

// Whether the central header of this entry needs a ZIP64 extra field.
bool centralNeedsZip64(const ZipEntryRecord& record);

// Local header. For entries with a data descriptor the CRC and sizes are zero
// (they follow the data); zip64 adds the ZIP64 extra field with both sizes.
Bytes localHeader(const ZipEntryRecord& record, bool zip64);
Bytes dataDescriptor(const ZipEntryRecord& record, bool zip64);
Bytes centralHeader(const ZipEntryRecord& record);

struct ZipEndInfo {
  uint64_t entryCount = 0;
  uint64_t entriesOnLastDisk = 0;
  uint64_t directorySize = 0;
  uint64_t directoryOffset = 0;
  uint32_t directoryDisk = 0;
  uint32_t lastDisk = 0;
};

// The end records that close an archive. zip64EndOffset is where they start
// (on the last disk): the ZIP64 end record and its locator come first when
// any value needs them.
Bytes endRecords(const ZipEndInfo& end, uint64_t zip64EndOffset);

}  // namespace archive
