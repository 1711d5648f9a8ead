#pragma once
// Turns a file's bytes into entry data: Deflate at the pack level (or Stored
// for level 0 and for data Deflate does not shrink), then traditional
// encryption when a password is set.

#include <cstdint>
#include <functional>
#include <string>

#include "archive/zip_write_archive.h"

namespace archive {

struct EntryOptions {
  int level = 6;  // 0 stores
  std::string password;
  unsigned workers = 0;  // threads that compress a streamed entry's chunks
};

// A whole file held in memory becomes a finished entry. header carries the
// name, time and attributes; method, CRC, sizes and flags are filled in.
PreparedEntry prepareEntry(ZipEntryRecord header, const uint8_t* data, size_t length,
                           const EntryOptions& options);

// Reads up to length bytes into buffer; 0 at the end of the file.
using ReadMore = std::function<size_t(uint8_t* buffer, size_t length)>;
using BytesDone = std::function<void(uint64_t plainBytes)>;

// A file too large to hold is compressed in chunks straight into the writer,
// with a data descriptor after its data. expectedSize decides ZIP64.
void streamEntry(ZipArchiveWriter& writer, ZipEntryRecord header, uint64_t expectedSize,
                 const EntryOptions& options, const ReadMore& read, const BytesDone& done);

}  // namespace archive
