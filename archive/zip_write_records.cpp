#include "archive/zip_write_records.h"

#include "archive/zip_unicode_path.h"

namespace archive {
namespace {

uint32_t clamp32(uint64_t value) {
  return value >= kMax32 ? kMax32 : static_cast<uint32_t>(value);
}
uint16_t clamp16(uint64_t value) {
  return value >= kMax16 ? kMax16 : static_cast<uint16_t>(value);
}

void writeFixedStart(ByteWriter& w, const ZipEntryRecord& r, uint16_t versionNeeded) {
  w.u16(versionNeeded);
  // Names are written as ANSI bytes, also those of entries copied from an
  // archive whose names were UTF-8.
  w.u16(static_cast<uint16_t>(r.flags & ~zipflag::kUtf8Names));
  w.u16(r.method);
  w.u32(r.dosTime);
}

bool endNeedsZip64(const ZipEndInfo& end) {
  return end.entryCount >= kMax16 || end.entriesOnLastDisk >= kMax16 ||
         end.directorySize >= kMax32 || end.directoryOffset >= kMax32 ||
         end.directoryDisk >= kMax16 || end.lastDisk >= kMax16;
}

}  // namespace

bool centralNeedsZip64(const ZipEntryRecord& r) {
  return r.uncompressedSize >= kMax32 || r.compressedSize >= kMax32 ||
         r.localHeaderOffset >= kMax32 || r.diskStart >= kMax16;
}

Bytes localHeader(const ZipEntryRecord& r, bool zip64) {
  Bytes out;
  ByteWriter w(out);
  w.u32(zipsig::kLocalHeader);
  writeFixedStart(w, r, zip64 ? kVersionZip64 : r.versionNeeded);
  bool deferred = r.hasDataDescriptor();
  w.u32(deferred ? 0 : r.crc);
  uint32_t marker = zip64 ? kMax32 : 0;
  w.u32(deferred || zip64 ? marker : static_cast<uint32_t>(r.compressedSize));
  w.u32(deferred || zip64 ? marker : static_cast<uint32_t>(r.uncompressedSize));
  Bytes extra;
  ByteWriter x(extra);
  if (zip64) {
    x.u16(kZip64ExtraId);
    x.u16(16);
    x.u64(deferred ? 0 : r.uncompressedSize);
    x.u64(deferred ? 0 : r.compressedSize);
  }
  x.bytes(unicodePathField(r.name));
  w.u16(static_cast<uint16_t>(r.name.size()));
  w.u16(static_cast<uint16_t>(extra.size()));
  w.text(r.name);
  w.bytes(extra);
  return out;
}

Bytes dataDescriptor(const ZipEntryRecord& r, bool zip64) {
  Bytes out;
  ByteWriter w(out);
  w.u32(zipsig::kDataDescriptor);
  w.u32(r.crc);
  if (zip64) {
    w.u64(r.compressedSize);
    w.u64(r.uncompressedSize);
  } else {
    w.u32(static_cast<uint32_t>(r.compressedSize));
    w.u32(static_cast<uint32_t>(r.uncompressedSize));
  }
  return out;
}

Bytes centralHeader(const ZipEntryRecord& r) {
  Bytes zip64;
  ByteWriter z(zip64);
  if (r.uncompressedSize >= kMax32) z.u64(r.uncompressedSize);
  if (r.compressedSize >= kMax32) z.u64(r.compressedSize);
  if (r.localHeaderOffset >= kMax32) z.u64(r.localHeaderOffset);
  if (r.diskStart >= kMax16) z.u32(r.diskStart);
  Bytes extra;
  ByteWriter x(extra);
  if (!zip64.empty()) {
    x.u16(kZip64ExtraId);
    x.u16(static_cast<uint16_t>(zip64.size()));
    x.bytes(zip64);
  }
  x.bytes(unicodePathField(r.name));

  Bytes out;
  ByteWriter w(out);
  w.u32(zipsig::kCentralHeader);
  w.u16(r.versionMadeBy);
  writeFixedStart(w, r, zip64.empty() ? r.versionNeeded : kVersionZip64);
  w.u32(r.crc);
  w.u32(clamp32(r.compressedSize));
  w.u32(clamp32(r.uncompressedSize));
  w.u16(static_cast<uint16_t>(r.name.size()));
  w.u16(static_cast<uint16_t>(extra.size()));
  w.u16(0);  // comment
  w.u16(clamp16(r.diskStart));
  w.u16(r.internalAttributes);
  w.u32(r.externalAttributes);
  w.u32(clamp32(r.localHeaderOffset));
  w.text(r.name);
  w.bytes(extra);
  return out;
}

Bytes endRecords(const ZipEndInfo& end, uint64_t zip64EndOffset) {
  Bytes out;
  ByteWriter w(out);
  if (endNeedsZip64(end)) {
    w.u32(zipsig::kZip64End);
    w.u64(zipsize::kZip64End - 12);
    w.u16(kVersionMadeBy);
    w.u16(kVersionZip64);
    w.u32(end.lastDisk);
    w.u32(end.directoryDisk);
    w.u64(end.entriesOnLastDisk);
    w.u64(end.entryCount);
    w.u64(end.directorySize);
    w.u64(end.directoryOffset);
    w.u32(zipsig::kZip64Locator);
    w.u32(end.lastDisk);
    w.u64(zip64EndOffset);
    w.u32(end.lastDisk + 1);
  }
  w.u32(zipsig::kEnd);
  w.u16(clamp16(end.lastDisk));
  w.u16(clamp16(end.directoryDisk));
  w.u16(clamp16(end.entriesOnLastDisk));
  w.u16(clamp16(end.entryCount));
  w.u32(clamp32(end.directorySize));
  w.u32(clamp32(end.directoryOffset));
  w.u16(0);  // comment
  return out;
}

}  // namespace archive
