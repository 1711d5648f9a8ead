#pragma once
// Reads one entry's data: local header, traditional decryption, Stored or
// Deflate, and the CRC-32 and size check. Small entries are read and inflated
// whole; large ones stream in chunks so memory does not grow with their size.

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

// Whether readEntryInto takes the entry: its plain and compressed data are
// small enough to hold in memory at once.
bool readsInMemory(const ZipEntryRecord& record);

// Reads an entry that readsInMemory accepts into plain, which has room for
// its recorded uncompressed size; checked like readEntry. Safe to call from
// several threads at once, each with its own volumes.
EntryReadResult readEntryInto(ZipVolumes& volumes, const ZipEntryRecord& record,
                              const std::string& password, uint8_t* plain);

// Delivers the entry's plain bytes to sink in order. BadPassword when the
// entry is encrypted and the password's check byte does not match (nothing has
// reached the sink then); ZipCorruptError for damaged data or a CRC mismatch.
EntryReadResult readEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                          const std::string& password, const PlainSink& sink);

}  // namespace archive
