#include "archive/zip_read_entry.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "archive/zip_crc32.h"
#include "archive/zip_crypto.h"

namespace archive {
namespace {

constexpr uint64_t kWholeEntryLimit = 16u << 20;
constexpr size_t kChunk = 1u << 20;

std::string entryLabel(const ZipEntryRecord& r) {
  return "\"" + r.name + "\"";
}

class EntryDataReader {
 public:
  EntryDataReader(VolumeReader reader, uint64_t length, std::optional<ZipCrypto> crypto)
      : reader_(reader), left_(length), crypto_(std::move(crypto)) {}
  uint64_t left() const { return left_; }
  size_t next(uint8_t* buffer, size_t capacity) {
    size_t n = static_cast<size_t>(std::min<uint64_t>(capacity, left_));
    reader_.read(buffer, n);
    if (crypto_) crypto_->decrypt(buffer, n);
    left_ -= n;
    return n;
  }
  // Reads everything that is left into buffer, in chunks, so a length that
  // only the records claim fails at the end of the data, not in one huge read.
  void readAll(uint8_t* buffer) {
    while (left_ > 0) buffer += next(buffer, kChunk);
  }
  // The same without decrypting: the caller decrypts with crypto().
  void readAllEncrypted(uint8_t* buffer) {
    while (left_ > 0) {
      size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, left_));
      reader_.read(buffer, n);
      buffer += n;
      left_ -= n;
    }
  }
  ZipCrypto* crypto() { return crypto_ ? &*crypto_ : nullptr; }

 private:
  VolumeReader reader_;
  uint64_t left_;
  std::optional<ZipCrypto> crypto_;
};

// Data-descriptor entries may carry either check byte: writers that knew the
// CRC before the data used it, streaming writers the time's high byte.
bool checkByteMatches(const ZipEntryRecord& record, uint8_t check) {
  return check == record.crcCheckByte() ||
         (record.hasDataDescriptor() && check == record.timeCheckByte());
}

// Checks the method and sizes, positions on the data and opens the
// encryption; nullopt when the password does not fit.
std::optional<EntryDataReader> openEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                                         const std::string& password) {
  if (record.method != zipmethod::kStored && record.method != zipmethod::kDeflated)
    throw ZipError("Entry " + entryLabel(record) + " uses compression method " +
                   std::to_string(record.method) + ", which is not supported");
  VolumeReader reader = openEntryData(volumes, record);
  uint64_t length = record.compressedSize;
  std::optional<ZipCrypto> crypto;
  if (record.encrypted()) {
    if (length < zipsize::kEncryptionHeader)
      throw ZipCorruptError("Encrypted entry " + entryLabel(record) + " is too short");
    if (password.empty()) return std::nullopt;
    uint8_t header[zipsize::kEncryptionHeader];
    reader.read(header, sizeof header);
    crypto.emplace(password);
    if (!checkByteMatches(record, crypto->openHeader(header))) return std::nullopt;
    length -= zipsize::kEncryptionHeader;
  }
  if (record.method == zipmethod::kStored && length != record.uncompressedSize)
    throw ZipCorruptError("Stored entry " + entryLabel(record) + " has inconsistent sizes");
  // Deflate cannot expand data more than 1032 times; a larger recorded size
  // is damage, found before any memory is set aside for it.
  if (record.uncompressedSize / 1032 > length + 1)
    throw ZipCorruptError("Entry " + entryLabel(record) + " records an impossible size");
  return EntryDataReader(reader, length, std::move(crypto));
}

void checkCrc(const ZipEntryRecord& record, uint32_t crc) {
  if (crc != record.crc) throw ZipCorruptError("CRC error in " + entryLabel(record));
}

// Checks an entry whose data (decrypted) is in memory and leaves its plain
// bytes in plain, or only checks it when plain is null.
void finishWhole(const ZipEntryRecord& r, const uint8_t* packed, size_t packedLength,
                 uint8_t* plain) {
  size_t size = static_cast<size_t>(r.uncompressedSize);
  if (r.method == zipmethod::kStored) {
    if (plain && plain != packed && size > 0) std::memcpy(plain, packed, size);
    checkCrc(r, crc32Update(0, packed, size));
    return;
  }
  thread_local ScratchBuffer checkOnly;
  if (!plain) plain = checkOnly.reserve(size);
  if (!inflateWhole(packed, packedLength, plain, size))
    throw ZipCorruptError("Compressed data of " + entryLabel(r) + " is damaged");
  checkCrc(r, crc32Update(0, plain, size));
}

void readWhole(EntryDataReader& data, const ZipEntryRecord& r, uint8_t* plain) {
  size_t packedLength = static_cast<size_t>(data.left());
  if (r.method == zipmethod::kStored) {
    data.readAll(plain);
    finishWhole(r, plain, packedLength, plain);
  } else {
    thread_local ScratchBuffer packed;
    uint8_t* buffer = packed.reserve(packedLength);
    data.readAll(buffer);
    finishWhole(r, buffer, packedLength, plain);
  }
}

EntryDataReader openSettled(ZipVolumes& volumes, const ZipEntryRecord& record,
                            const std::string& password) {
  std::optional<EntryDataReader> data = openEntry(volumes, record, password);
  if (!data) throw ZipCorruptError("The password of " + entryLabel(record) + " no longer fits");
  return std::move(*data);
}

void streamStored(EntryDataReader& data, const ZipEntryRecord& r, const PlainSink& sink) {
  uint32_t crc = 0;
  Bytes buffer(kChunk);
  while (data.left() > 0) {
    size_t n = data.next(buffer.data(), buffer.size());
    crc = crc32Update(crc, buffer.data(), n);
    sink(buffer.data(), n);
  }
  checkCrc(r, crc);
}

void streamDeflated(EntryDataReader& data, const ZipEntryRecord& r, const PlainSink& sink) {
  InflateStream inflater;
  uint32_t crc = 0;
  uint64_t produced = 0;
  bool ended = false;
  Bytes buffer(kChunk);
  auto counted = [&](const uint8_t* bytes, size_t n) {
    produced += n;
    if (produced > r.uncompressedSize)
      throw ZipCorruptError("Entry " + entryLabel(r) + " is longer than its recorded size");
    crc = crc32Update(crc, bytes, n);
    sink(bytes, n);
  };
  while (data.left() > 0 && !ended) {
    size_t n = data.next(buffer.data(), buffer.size());
    ended = inflater.feed(buffer.data(), n, counted);
  }
  if (!ended || produced != r.uncompressedSize)
    throw ZipCorruptError("Compressed data of " + entryLabel(r) + " is damaged");
  checkCrc(r, crc);
}

// The plain bytes of an opened entry to sink: whole when it fits in memory,
// otherwise in chunks.
void deliverEntry(EntryDataReader& data, const ZipEntryRecord& record, const PlainSink& sink) {
  if (readsInMemory(record)) {
    thread_local ScratchBuffer plain;
    uint8_t* buffer = plain.reserve(static_cast<size_t>(record.uncompressedSize));
    readWhole(data, record, buffer);
    if (record.uncompressedSize > 0) sink(buffer, static_cast<size_t>(record.uncompressedSize));
  } else if (record.method == zipmethod::kStored) {
    streamStored(data, record, sink);
  } else {
    streamDeflated(data, record, sink);
  }
}

}  // namespace

VolumeReader openEntryData(ZipVolumes& volumes, const ZipEntryRecord& record) {
  VolumeReader reader(volumes, record.diskStart, record.localHeaderOffset);
  uint8_t header[zipsize::kLocalHeader];
  reader.read(header, sizeof header);
  ByteReader r(header, sizeof header, "local header");
  if (r.u32() != zipsig::kLocalHeader)
    throw ZipCorruptError("Local header of " + entryLabel(record) + " is missing",
                          record.localHeaderOffset);
  r.skip(22);
  uint16_t nameLength = r.u16();
  uint16_t extraLength = r.u16();
  reader.skip(uint64_t{nameLength} + extraLength);
  return reader;
}

bool passwordMatches(ZipVolumes& volumes, const ZipEntryRecord& record,
                     const std::string& password) {
  if (!record.encrypted()) return true;
  if (password.empty() || record.compressedSize < zipsize::kEncryptionHeader) return false;
  VolumeReader reader = openEntryData(volumes, record);
  uint8_t header[zipsize::kEncryptionHeader];
  reader.read(header, sizeof header);
  return checkByteMatches(record, ZipCrypto(password).openHeader(header));
}

bool readsInMemory(const ZipEntryRecord& record) {
  return record.uncompressedSize <= kWholeEntryLimit &&
         record.compressedSize <= 2 * kWholeEntryLimit;
}

size_t readEntryBatch(ZipVolumes& volumes, std::span<const BatchedEntry> batch,
                      std::exception_ptr& failure) {
  failure = nullptr;
  // Every entry's data is read first, so the decryption can run on all of
  // them at once; a failure cuts the batch short at that entry. Stored data
  // goes straight to its plain buffer, the rest into one block.
  std::vector<EntryDataReader> readers;
  std::vector<size_t> blockOffsets;
  size_t blockSize = 0;
  try {
    for (const BatchedEntry& entry : batch) {
      if (!readsInMemory(*entry.record))
        throw ZipError("Entry " + entryLabel(*entry.record) + " is too large");
      readers.push_back(openSettled(volumes, *entry.record, *entry.password));
      blockOffsets.push_back(blockSize);
      if (entry.record->method != zipmethod::kStored || !entry.plain)
        blockSize += static_cast<size_t>(readers.back().left());
    }
  } catch (...) {
    failure = std::current_exception();
  }
  thread_local ScratchBuffer block;
  uint8_t* blockStart = block.reserve(blockSize);
  size_t count = readers.size();
  std::vector<uint8_t*> data(count);
  std::vector<size_t> lengths(count);
  std::vector<ZipCrypto::Lane> lanes;
  for (size_t i = 0; i < count; ++i) {
    const BatchedEntry& entry = batch[i];
    bool direct = entry.record->method == zipmethod::kStored && entry.plain;
    data[i] = direct ? entry.plain : blockStart + blockOffsets[i];
    lengths[i] = static_cast<size_t>(readers[i].left());
    try {
      readers[i].readAllEncrypted(data[i]);
    } catch (...) {
      failure = std::current_exception();
      count = i;
      break;
    }
    if (ZipCrypto* crypto = readers[i].crypto()) lanes.push_back({crypto, data[i], lengths[i]});
  }
  ZipCrypto::decryptInterleaved(lanes);
  for (size_t i = 0; i < count; ++i) {
    try {
      finishWhole(*batch[i].record, data[i], lengths[i], batch[i].plain);
    } catch (...) {
      failure = std::current_exception();
      return i;
    }
  }
  return count;
}

EntryReadResult readEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                          const std::string& password, const PlainSink& sink) {
  std::optional<EntryDataReader> data = openEntry(volumes, record, password);
  if (!data) return EntryReadResult::BadPassword;
  deliverEntry(*data, record, sink);
  return EntryReadResult::Ok;
}

void readSettledEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                      const std::string& password, const PlainSink& sink) {
  EntryDataReader data = openSettled(volumes, record, password);
  deliverEntry(data, record, sink);
}

}  // namespace archive
