#include "archive/zip_read_directory.h"

#include <algorithm>

#include "archive/zip_entry_names.h"
#include "archive/zip_extra_fields.h"
#include "archive/zip_read_overlap.h"

namespace archive {
namespace {

constexpr uint64_t kMaxDirectorySize = uint64_t{1} << 31;

uint32_t peek32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool hasSignature(ZipSource& source, uint64_t offset, uint32_t signature) {
  if (offset + 4 > source.size()) return false;
  uint8_t bytes[4];
  source.readAt(offset, bytes, 4);
  return peek32(bytes) == signature;
}

// Replaces the fields the ZIP64 end record carries in full.
void readZip64End(ZipSource& source, uint64_t eocdPos, ZipEndLocation& end) {
  if (eocdPos < zipsize::kZip64Locator) throw ZipCorruptError("ZIP64 locator is missing", eocdPos);
  uint64_t locatorPos = eocdPos - zipsize::kZip64Locator;
  uint8_t locatorBytes[zipsize::kZip64Locator];
  source.readAt(locatorPos, locatorBytes, sizeof locatorBytes);
  ByteReader locator(locatorBytes, sizeof locatorBytes, "ZIP64 locator");
  if (locator.u32() != zipsig::kZip64Locator)
    throw ZipCorruptError("ZIP64 locator is missing", locatorPos);
  locator.u32();
  uint64_t recorded = locator.u64();
  // The record normally sits right before its locator; an archive with data
  // in front of it (or a copied directory) has it there too.
  uint64_t recordPos = locatorPos >= zipsize::kZip64End ? locatorPos - zipsize::kZip64End : 0;
  if (!hasSignature(source, recordPos, zipsig::kZip64End)) recordPos = recorded;
  if (!hasSignature(source, recordPos, zipsig::kZip64End))
    throw ZipCorruptError("ZIP64 end record is missing", recorded);
  uint8_t recordBytes[zipsize::kZip64End];
  source.readAt(recordPos, recordBytes, sizeof recordBytes);
  ByteReader r(recordBytes, sizeof recordBytes, "ZIP64 end record");
  r.skip(4 + 8 + 2 + 2);
  end.info.lastDisk = r.u32();
  end.info.directoryDisk = r.u32();
  end.info.entriesOnLastDisk = r.u64();
  end.info.entryCount = r.u64();
  end.info.directorySize = r.u64();
  end.info.directoryOffset = r.u64();
  end.recordsStart = recordPos;
}

// Values of the ZIP64 extra field replace those stored as all ones.
void applyZip64Extra(ZipEntryRecord& e, ExtraBytes extra, bool diskOverflow) {
  auto found = findExtraField(extra, kZip64ExtraId);
  if (!found) return;
  ByteReader field(found->data(), found->size(), "ZIP64 extra field");
  if (e.uncompressedSize == kMax32) e.uncompressedSize = field.u64();
  if (e.compressedSize == kMax32) e.compressedSize = field.u64();
  if (e.localHeaderOffset == kMax32) e.localHeaderOffset = field.u64();
  if (diskOverflow) e.diskStart = field.u32();
}

}  // namespace

void readCommonHeaderFields(ByteReader& r, ZipEntryRecord& e) {
  e.versionNeeded = r.u16();
  e.flags = r.u16();
  e.method = r.u16();
  e.dosTime = r.u32();
  e.crc = r.u32();
  e.compressedSize = r.u32();
  e.uncompressedSize = r.u32();
}

std::optional<ZipEndLocation> findZipEnd(ZipSource& source) {
  uint64_t size = source.size();
  if (size < zipsize::kEnd) return std::nullopt;
  size_t tail = static_cast<size_t>(std::min<uint64_t>(size, zipsize::kEnd + zipsize::kMaxComment));
  Bytes bytes(tail);
  uint64_t tailStart = size - tail;
  source.readAt(tailStart, bytes.data(), tail);
  for (size_t at = tail - zipsize::kEnd + 1; at-- > 0;) {
    if (peek32(&bytes[at]) != zipsig::kEnd) continue;
    ByteReader r(&bytes[at], tail - at, "end record");
    r.skip(4);
    ZipEndLocation end;
    end.info.lastDisk = r.u16();
    end.info.directoryDisk = r.u16();
    end.info.entriesOnLastDisk = r.u16();
    end.info.entryCount = r.u16();
    end.info.directorySize = r.u32();
    end.info.directoryOffset = r.u32();
    uint16_t commentLength = r.u16();
    if (commentLength > r.remaining()) continue;  // a signature inside a comment
    uint64_t eocdPos = tailStart + at;
    end.recordsStart = eocdPos;
    bool zip64 = end.info.lastDisk == kMax16 || end.info.directoryDisk == kMax16 ||
                 end.info.entryCount == kMax16 || end.info.entriesOnLastDisk == kMax16 ||
                 end.info.directorySize == kMax32 || end.info.directoryOffset == kMax32;
    if (zip64 || (eocdPos >= zipsize::kZip64Locator &&
                  hasSignature(source, eocdPos - zipsize::kZip64Locator, zipsig::kZip64Locator)))
      readZip64End(source, eocdPos, end);
    return end;
  }
  return std::nullopt;
}

std::vector<ZipEntryRecord> parseCentralDirectory(const uint8_t* data, size_t size,
                                                  uint64_t expectedEntries) {
  std::vector<ZipEntryRecord> entries;
  entries.reserve(
      static_cast<size_t>(std::min<uint64_t>(expectedEntries, size / zipsize::kCentralHeader)));
  ByteReader r(data, size, "central directory");
  ArchiveNames names;
  while (r.remaining() >= 4 && peek32(data + r.position()) == zipsig::kCentralHeader) {
    size_t at = r.position();
    r.skip(4);
    ZipEntryRecord e;
    e.versionMadeBy = r.u16();
    readCommonHeaderFields(r, e);
    uint16_t nameLength = r.u16();
    uint16_t extraLength = r.u16();
    uint16_t commentLength = r.u16();
    e.diskStart = r.u16();
    e.internalAttributes = r.u16();
    e.externalAttributes = r.u32();
    e.localHeaderOffset = r.u32();
    std::string nameField = r.text(nameLength);
    ExtraBytes extra(r.take(extraLength), extraLength);
    r.skip(commentLength);
    bool diskOverflow = e.diskStart == kMax16;
    applyZip64Extra(e, extra, diskOverflow);
    if (nameField.empty()) throw ZipCorruptError("Central directory entry without a name", at);
    names.add({nameField, e.flags, extra, static_cast<uint8_t>(e.versionMadeBy >> 8)});
    entries.push_back(std::move(e));
  }
  std::vector<std::string> decoded = names.decode();
  for (size_t i = 0; i < entries.size(); ++i) entries[i].name = std::move(decoded[i]);
  // Writers of the time before ZIP64 stored the count modulo 65536.
  bool countMatches = entries.size() == expectedEntries ||
                      (expectedEntries < kMax16 && entries.size() % 65536 == expectedEntries);
  if (!countMatches)
    throw ZipCorruptError("Central directory holds " + std::to_string(entries.size()) +
                          " entries where the end record announces " +
                          std::to_string(expectedEntries));
  return entries;
}

std::vector<ZipEntryRecord> readCentralDirectory(ZipVolumes& volumes, const ZipEndLocation& end) {
  const ZipEndInfo& info = end.info;
  if (info.directorySize > kMaxDirectorySize ||
      info.entryCount > info.directorySize / zipsize::kCentralHeader + 1)
    throw ZipCorruptError("End record gives an impossible central directory size");
  ZipSource& last = volumes.volume(info.lastDisk);
  if (info.directoryDisk == info.lastDisk && info.directorySize > last.size())
    throw ZipCorruptError("End record gives a central directory larger than the archive");
  if (info.directoryDisk > info.lastDisk)
    throw ZipCorruptError("End record names a directory disk after the last disk");
  size_t size = static_cast<size_t>(info.directorySize);
  Bytes directory;
  bool beforeEnd =
      end.recordsStart >= size &&
      (size == 0 || hasSignature(last, end.recordsStart - size, zipsig::kCentralHeader));
  if (beforeEnd) {
    directory.resize(size);
    last.readAt(end.recordsStart - size, directory.data(), size);
  } else {
    // Read in chunks, so a size that only the records claim costs no memory.
    VolumeReader reader(volumes, info.directoryDisk, info.directoryOffset);
    constexpr size_t kChunk = 1u << 20;
    while (directory.size() < size) {
      size_t chunk = std::min(kChunk, size - directory.size());
      size_t at = directory.size();
      directory.resize(at + chunk);
      reader.read(directory.data() + at, chunk);
    }
  }
  std::vector<ZipEntryRecord> records =
      parseCentralDirectory(directory.data(), size, info.entryCount);
  // Offsets and the directory's recorded place are in one frame, also when
  // the directory was found before the end records instead.
  rejectOverlappingEntries(records, info.directoryDisk, info.directoryOffset);
  return records;
}

}  // namespace archive
