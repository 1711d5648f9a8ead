#pragma once
// Reads one entry's data: local header, traditional decryption, Stored or
// Deflate, and the CRC-32 and size check. Small entries are inflated in one
// call; large ones stream in chunks so memory does not grow with their size.

#include <cstdint>
#include <string>

#include "archive/zip_format.h"
#include "archive/zip_inflate.h"
#include "archive/zip_source.h"

namespace archive {

enum class EntryReadResult { Ok, BadPassword };

// Positions a reader on the entry's data, after its local header.
VolumeReader openEntryData(ZipVolumes& volumes, const ZipEntryRecord& record);

// Whether the password opens an encrypted entry (reads only its encryption
// header). Always true for entries that are not encrypted.
bool passwordMatches(ZipVolumes& volumes, const ZipEntryRecord& record,
                     const std::string& password);

// Delivers the entry's plain bytes to sink in order. BadPassword when the
// entry is encrypted and the password's check byte does not match (nothing has
// reached the sink then); ZipCorruptError for damaged data or a CRC mismatch.
EntryReadResult readEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                          const std::string& password, const PlainSink& sink);

}  // namespace archive
