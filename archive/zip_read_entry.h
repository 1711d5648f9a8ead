#pragma once
// Reads one entry's data: local header, traditional decryption, Stored or
// Deflate, and the CRC-32 and size check. Small entries are read and inflated
// whole; large ones stream in chunks so memory does not grow with their size.

#include <cstdint>
#include <exception>
#include <span>
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

// Whether readEntryBatch takes the entry: its plain and compressed data are
// small enough to hold in memory at once.
bool readsInMemory(const ZipEntryRecord& record);

// An entry for readEntryBatch: plain has room for its recorded size, or is
// null to check the entry only.
struct BatchedEntry {
  const ZipEntryRecord* record;
  const std::string* password;  // settled: a check byte that does not fit is damage
  uint8_t* plain = nullptr;
};

// Reads entries that readsInMemory accepts together, decrypting the
// encrypted ones side by side. Entries are finished in order and the first
// that fails stops the batch: returns how many were finished, and failure
// then holds what stopped the next one.
size_t readEntryBatch(ZipVolumes& volumes, std::span<const BatchedEntry> batch,
                      std::exception_ptr& failure);

// readEntry for an entry whose password was settled before: a check byte
// that no longer fits is damage (ZipCorruptError). Safe to call from several
// threads at once, each with its own volumes.
void readSettledEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                      const std::string& password, const PlainSink& sink);

// Delivers the entry's plain bytes to sink in order. BadPassword when the
// entry is encrypted and the password's check byte does not match (nothing has
// reached the sink then); ZipCorruptError for damaged data or a CRC mismatch.
EntryReadResult readEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                          const std::string& password, const PlainSink& sink);

}  // namespace archive
