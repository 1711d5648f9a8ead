#pragma once
// Assembles an archive on a ZipOutput: entries prepared in memory, entries
// streamed with a data descriptor, entries copied unchanged from another
// archive, then the central directory and end records.

#include <cstdint>
#include <vector>

#include "archive/zip_format.h"
#include "archive/zip_source.h"
#include "archive/zip_write_output.h"

namespace archive {

// An entry whose data (encryption header and compressed bytes) is complete.
struct PreparedEntry {
  ZipEntryRecord record;
  Bytes data;
};

class ZipArchiveWriter {
 public:
  // zip64Descriptors: every entry with a data descriptor gets ZIP64 sizes (a
  // ZIP64 field in its local header, a 24-byte descriptor). Archives holding
  // Unicode Path fields need that: unzip 6.0 as Debian ships it, once it has
  // taken a name from such a field, expects ZIP64 descriptors on every entry
  // whose local header does not say otherwise, and rejects the 16-byte ones
  // as overlapping entries.
  explicit ZipArchiveWriter(ZipOutput& out, bool zip64Descriptors = false)
      : out_(out), zip64Descriptors_(zip64Descriptors) {}

  void addPrepared(const PreparedEntry& entry);

  // Streaming: the local header goes out first with the sizes left for the
  // data descriptor. zip64 must be chosen before the data is known (or is
  // given by zip64Descriptors).
  void beginStreamed(ZipEntryRecord record, bool zip64);
  void writeStreamed(const uint8_t* data, size_t length);
  void endStreamed(uint32_t crc, uint64_t compressedSize, uint64_t uncompressedSize);

  // Copies an entry of another archive, its data untouched.
  void addCopied(const ZipEntryRecord& record, VolumeReader data);

  // Writes the central directory and end records; returns those bytes (the
  // table of contents that may also be saved on its own).
  Bytes finish();

  const std::vector<ZipEntryRecord>& entries() const { return entries_; }

 private:
  void placeHeader(ZipEntryRecord& record, bool zip64);

  ZipOutput& out_;
  bool zip64Descriptors_;
  std::vector<ZipEntryRecord> entries_;
  ZipEntryRecord streamed_;
  bool streamedZip64_ = false;
};

}  // namespace archive
