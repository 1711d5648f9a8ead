#include "archive/zip_write_entry.h"

#include <optional>

#include "archive/zip_crc32.h"
#include "archive/zip_crypto.h"
#include "archive/zip_deflate.h"

namespace archive {
namespace {

constexpr size_t kStreamChunk = 1u << 20;
// Streamed entries whose file is this large are written with ZIP64 sizes: the
// decision falls before the data, and Deflate can grow incompressible data.
constexpr uint64_t kStreamZip64From = kMax32 - (uint64_t{64} << 20);

}  // namespace

PreparedEntry prepareEntry(ZipEntryRecord header, const uint8_t* data, size_t length,
                           const EntryOptions& options) {
  PreparedEntry entry;
  entry.record = std::move(header);
  ZipEntryRecord& r = entry.record;
  r.crc = crc32Update(0, data, length);
  r.uncompressedSize = length;
  bool encrypt = !options.password.empty();
  size_t dataStart = encrypt ? zipsize::kEncryptionHeader : 0;
  r.method = zipmethod::kStored;
  const uint8_t* body = data;
  size_t bodyLength = length;
  if (options.level > 0 && length > 0) {
    thread_local ScratchBuffer packed;
    uint8_t* out = packed.reserve(length);
    // Room for the input length only: output that would not be smaller is
    // stored instead.
    size_t packedLength = deflateWhole(data, length, options.level, out, length);
    if (packedLength > 0 && packedLength < length) {
      r.method = zipmethod::kDeflated;
      body = out;
      bodyLength = packedLength;
    }
  }
  entry.data.reserve(dataStart + bodyLength);
  entry.data.resize(dataStart);
  entry.data.insert(entry.data.end(), body, body + bodyLength);
  if (encrypt) {
    r.flags |= zipflag::kEncrypted;
    ZipCrypto crypto(options.password);
    auto encryptionHeader = crypto.makeHeader(r.crcCheckByte());
    std::copy(encryptionHeader.begin(), encryptionHeader.end(), entry.data.begin());
    crypto.encrypt(entry.data.data() + dataStart, entry.data.size() - dataStart);
  }
  r.compressedSize = entry.data.size();
  return entry;
}

void streamEntry(ZipArchiveWriter& writer, ZipEntryRecord header, uint64_t expectedSize,
                 const EntryOptions& options, const ReadMore& read, const BytesDone& done) {
  bool deflate = options.level > 0;
  header.method = deflate ? zipmethod::kDeflated : zipmethod::kStored;
  std::optional<ZipCrypto> crypto;
  if (!options.password.empty()) {
    header.flags |= zipflag::kEncrypted;
    crypto.emplace(options.password);
  }
  // The check byte of a data-descriptor entry is the time's high byte.
  header.flags |= zipflag::kDataDescriptor;
  writer.beginStreamed(header, expectedSize >= kStreamZip64From);
  uint64_t compressed = 0;
  if (crypto) {
    auto encryptionHeader = crypto->makeHeader(header.timeCheckByte());
    writer.writeStreamed(encryptionHeader.data(), encryptionHeader.size());
    compressed += encryptionHeader.size();
  }
  std::optional<DeflateStream> deflater;
  if (deflate) deflater.emplace(options.level, options.workers);
  Bytes plain(kStreamChunk), packed;
  uint32_t crc = 0;
  uint64_t total = 0;
  for (;;) {
    size_t n = read(plain.data(), plain.size());
    bool last = n == 0;
    crc = crc32Update(crc, plain.data(), n);
    total += n;
    packed.clear();
    if (deflater)
      deflater->compress(plain.data(), n, last, packed);
    else
      packed.assign(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(n));
    if (crypto) crypto->encrypt(packed.data(), packed.size());
    writer.writeStreamed(packed.data(), packed.size());
    compressed += packed.size();
    if (done && n) done(n);
    if (last) break;
  }
  writer.endStreamed(crc, compressed, total);
}

}  // namespace archive
