// Feeds arbitrary bytes to the ZIP reader: end records, ZIP64 records, the
// central directory, local headers, decryption and inflation, the salvage
// walk of an archive without end record, the extraction path checks, and the
// streaming inflater on the raw bytes.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "archive/zip_inflate.h"
#include "archive/zip_paths.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_read_salvage.h"
#include "platform/core/errors.h"

namespace {

void readEntries(archive::ZipVolumes& volumes,
                 const std::vector<archive::ZipEntryRecord>& records) {
  size_t count = 0;
  for (const archive::ZipEntryRecord& record : records) {
    if (++count > 64) break;
    try {
      archive::extractionTarget(record.name, {"C:\\DEST", true, "C:\\"});
    } catch (const corvasta::Error&) {
    }
    for (const char* password : {"", "pw"}) {
      try {
        archive::readEntry(volumes, record, password, [](const uint8_t*, size_t) {});
      } catch (const corvasta::Error&) {
      }
    }
  }
  // The same entries read as one batch, decrypted side by side, the way
  // testing and extracting read them on worker threads.
  const std::string password = "pw";
  std::vector<archive::BatchedEntry> batch;
  uint64_t batchBytes = 0;
  for (const archive::ZipEntryRecord& record : records) {
    if (batch.size() == 64 || batchBytes >= (16u << 20)) break;
    try {
      if (!archive::readsInMemory(record) || !archive::passwordMatches(volumes, record, password))
        continue;
    } catch (const corvasta::Error&) {
      continue;
    }
    batch.push_back({&record, &password});
    batchBytes += record.compressedSize;
  }
  std::exception_ptr failure;
  size_t finished = archive::readEntryBatch(volumes, batch, failure);
  if (finished > batch.size() || (finished < batch.size()) != (failure != nullptr))
    __builtin_trap();
}

}  // namespace

// The streaming inflater that entries too large to hold go through, fed the
// raw bytes in three uneven pieces.
void inflateStreamed(const uint8_t* data, size_t size) {
  archive::InflateStream inflater;
  size_t produced = 0;
  auto sink = [&](const uint8_t*, size_t n) {
    produced += n;
    if (produced > (64u << 20)) throw archive::ZipCorruptError("too long");
  };
  try {
    size_t first = size / 3, second = size / 2;
    if (!inflater.feed(data, first, sink) && !inflater.feed(data + first, second - first, sink))
      inflater.feed(data + second, size - second, sink);
  } catch (const corvasta::Error&) {
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  inflateStreamed(data, size);
  archive::MemorySource source(data, size);
  archive::SingleVolume volumes(source);
  try {
    if (auto end = archive::findZipEnd(source))
      readEntries(volumes, archive::readCentralDirectory(volumes, *end));
  } catch (const corvasta::Error&) {
  }
  try {
    readEntries(volumes, archive::salvageEntries(source));
  } catch (const corvasta::Error&) {
  }
  return 0;
}
