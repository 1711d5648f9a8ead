#include "archive/zip_read_salvage.h"

#include <algorithm>
#include <optional>

#include "archive/zip_bytes.h"
#include "archive/zip_entry_names.h"
#include "archive/zip_extra_fields.h"
#include "archive/zip_read_directory.h"

namespace archive {
namespace {

constexpr size_t kWindow = 1u << 16;

// Offset of the next occurrence of signature at or after from, if any.
std::optional<uint64_t> findSignature(ZipSource& source, uint64_t from, uint32_t signature) {
  uint64_t size = source.size();
  Bytes window(kWindow + 3);
  for (uint64_t at = from; at + 4 <= size; at += kWindow) {
    size_t n = static_cast<size_t>(std::min<uint64_t>(window.size(), size - at));
    source.readAt(at, window.data(), n);
    for (size_t i = 0; i + 4 <= n && i < kWindow; ++i) {
      uint32_t value = static_cast<uint32_t>(window[i]) |
                       (static_cast<uint32_t>(window[i + 1]) << 8) |
                       (static_cast<uint32_t>(window[i + 2]) << 16) |
                       (static_cast<uint32_t>(window[i + 3]) << 24);
      if (value == signature) return at + i;
    }
  }
  return std::nullopt;
}

// Finds the data descriptor that closes data starting at dataStart: its
// compressed size must equal the distance to it. Returns the descriptor's
// offset and length.
std::optional<std::pair<uint64_t, uint64_t>> findDescriptor(ZipSource& source, uint64_t dataStart,
                                                            bool zip64, ZipEntryRecord& record) {
  uint64_t size = source.size();
  size_t length = zip64 ? 24 : 16;
  for (uint64_t at = dataStart;;) {
    auto found = findSignature(source, at, zipsig::kDataDescriptor);
    if (!found || *found + length > size) return std::nullopt;
    uint8_t bytes[24];
    source.readAt(*found, bytes, length);
    ByteReader r(bytes, length, "data descriptor");
    r.skip(4);
    uint32_t crc = r.u32();
    uint64_t compressed = zip64 ? r.u64() : r.u32();
    uint64_t uncompressed = zip64 ? r.u64() : r.u32();
    if (compressed == *found - dataStart) {
      record.crc = crc;
      record.compressedSize = compressed;
      record.uncompressedSize = uncompressed;
      return std::make_pair(*found, uint64_t{length});
    }
    at = *found + 1;
  }
}

}  // namespace

std::vector<ZipEntryRecord> salvageEntries(ZipSource& source) {
  std::vector<ZipEntryRecord> entries;
  uint64_t size = source.size();
  uint64_t pos = 0;
  ArchiveNames names;
  while (pos + zipsize::kLocalHeader <= size) {
    auto header = findSignature(source, pos, zipsig::kLocalHeader);
    if (!header || *header + zipsize::kLocalHeader > size) break;
    pos = *header;
    uint8_t fixed[zipsize::kLocalHeader];
    source.readAt(pos, fixed, sizeof fixed);
    ByteReader r(fixed, sizeof fixed, "local header");
    r.skip(4);
    ZipEntryRecord e;
    readCommonHeaderFields(r, e);
    uint16_t nameLength = r.u16();
    uint16_t extraLength = r.u16();
    uint64_t dataStart = pos + zipsize::kLocalHeader + nameLength + extraLength;
    if (dataStart > size || nameLength == 0) {
      pos += 4;
      continue;
    }
    Bytes variable(nameLength + extraLength);
    source.readAt(pos + zipsize::kLocalHeader, variable.data(), variable.size());
    std::string_view nameField(reinterpret_cast<const char*>(variable.data()), nameLength);
    ExtraBytes extra(variable.data() + nameLength, extraLength);
    auto zip64Field = findExtraField(extra, kZip64ExtraId);
    bool zip64 = zip64Field && zip64Field->size() >= 16;
    if (zip64) {
      ByteReader field(zip64Field->data(), zip64Field->size(), "ZIP64 extra field");
      uint64_t uncompressed = field.u64(), compressed = field.u64();
      if (e.uncompressedSize == kMax32) e.uncompressedSize = uncompressed;
      if (e.compressedSize == kMax32) e.compressedSize = compressed;
    }
    e.localHeaderOffset = pos;
    uint64_t next = 0;
    if (e.hasDataDescriptor()) {
      auto descriptor = findDescriptor(source, dataStart, zip64, e);
      if (!descriptor) break;
      next = descriptor->first + descriptor->second;
    } else {
      if (e.compressedSize > size - dataStart) break;
      next = dataStart + e.compressedSize;
    }
    // A local header does not say which host made it.
    names.add({nameField, e.flags, extra, std::nullopt});
    entries.push_back(std::move(e));
    pos = next;
  }
  std::vector<std::string> decoded = names.decode();
  for (size_t i = 0; i < entries.size(); ++i) entries[i].name = std::move(decoded[i]);
  return entries;
}

}  // namespace archive
