#include "archive/zip_read_entry.h"

#include <algorithm>
#include <optional>

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

 private:
  VolumeReader reader_;
  uint64_t left_;
  std::optional<ZipCrypto> crypto_;
};

uint32_t readStored(EntryDataReader& data, const PlainSink& sink) {
  uint32_t crc = 0;
  Bytes buffer(static_cast<size_t>(std::min<uint64_t>(kChunk, data.left())));
  while (data.left() > 0) {
    size_t n = data.next(buffer.data(), buffer.size());
    crc = crc32Update(crc, buffer.data(), n);
    sink(buffer.data(), n);
  }
  return crc;
}

uint32_t readDeflated(EntryDataReader& data, const ZipEntryRecord& r, const PlainSink& sink) {
  // Deflate cannot expand data more than 1032 times; a larger recorded size
  // is damage, found before any memory is set aside for it.
  if (r.uncompressedSize / 1032 > data.left() + 1)
    throw ZipCorruptError("Entry " + entryLabel(r) + " records an impossible size");
  if (r.uncompressedSize <= kWholeEntryLimit && data.left() <= 2 * kWholeEntryLimit) {
    // Read in chunks, so sizes that only the records claim cost no memory.
    Bytes packed;
    while (data.left() > 0) {
      size_t at = packed.size();
      packed.resize(at + static_cast<size_t>(std::min<uint64_t>(kChunk, data.left())));
      data.next(packed.data() + at, packed.size() - at);
    }
    Bytes plain(static_cast<size_t>(r.uncompressedSize));
    if (!inflateWhole(packed.data(), packed.size(), plain.data(), plain.size()))
      throw ZipCorruptError("Compressed data of " + entryLabel(r) + " is damaged");
    uint32_t crc = crc32Update(0, plain.data(), plain.size());
    sink(plain.data(), plain.size());
    return crc;
  }
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
  return crc;
}

// Data-descriptor entries may carry either check byte: writers that knew the
// CRC before the data used it, streaming writers the time's high byte.
bool checkByteMatches(const ZipEntryRecord& record, uint8_t check) {
  return check == record.crcCheckByte() ||
         (record.hasDataDescriptor() && check == record.timeCheckByte());
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

EntryReadResult readEntry(ZipVolumes& volumes, const ZipEntryRecord& record,
                          const std::string& password, const PlainSink& sink) {
  if (record.method != zipmethod::kStored && record.method != zipmethod::kDeflated)
    throw ZipError("Entry " + entryLabel(record) + " uses compression method " +
                   std::to_string(record.method) + ", which is not supported");
  VolumeReader reader = openEntryData(volumes, record);
  uint64_t length = record.compressedSize;
  std::optional<ZipCrypto> crypto;
  if (record.encrypted()) {
    if (length < zipsize::kEncryptionHeader)
      throw ZipCorruptError("Encrypted entry " + entryLabel(record) + " is too short");
    if (password.empty()) return EntryReadResult::BadPassword;
    uint8_t header[zipsize::kEncryptionHeader];
    reader.read(header, sizeof header);
    crypto.emplace(password);
    if (!checkByteMatches(record, crypto->openHeader(header))) return EntryReadResult::BadPassword;
    length -= zipsize::kEncryptionHeader;
  }
  if (record.method == zipmethod::kStored && length != record.uncompressedSize)
    throw ZipCorruptError("Stored entry " + entryLabel(record) + " has inconsistent sizes");
  EntryDataReader data(reader, length, std::move(crypto));
  uint32_t crc = record.method == zipmethod::kStored ? readStored(data, sink)
                                                     : readDeflated(data, record, sink);
  if (crc != record.crc) throw ZipCorruptError("CRC error in " + entryLabel(record));
  return EntryReadResult::Ok;
}

}  // namespace archive
