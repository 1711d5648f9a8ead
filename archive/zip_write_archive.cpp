#include "archive/zip_write_archive.h"

#include <algorithm>

#include "archive/zip_write_records.h"

namespace archive {

void ZipArchiveWriter::placeHeader(ZipEntryRecord& record, bool zip64) {
  Bytes header = localHeader(record, zip64);
  out_.keepTogether(header.size());
  record.diskStart = out_.disk();
  record.localHeaderOffset = out_.offset();
  if (zip64) record.versionNeeded = kVersionZip64;
  out_.write(header);
}

void ZipArchiveWriter::addPrepared(const PreparedEntry& entry) {
  ZipEntryRecord record = entry.record;
  bool zip64 = record.compressedSize >= kMax32 || record.uncompressedSize >= kMax32;
  placeHeader(record, zip64);
  out_.write(entry.data);
  entries_.push_back(std::move(record));
}

void ZipArchiveWriter::beginStreamed(ZipEntryRecord record, bool zip64) {
  record.flags |= zipflag::kDataDescriptor;
  zip64 = zip64 || zip64Descriptors_;
  placeHeader(record, zip64);
  streamed_ = std::move(record);
  streamedZip64_ = zip64;
}

void ZipArchiveWriter::writeStreamed(const uint8_t* data, size_t length) {
  out_.write(data, length);
}

void ZipArchiveWriter::endStreamed(uint32_t crc, uint64_t compressedSize,
                                   uint64_t uncompressedSize) {
  if (!streamedZip64_ && (compressedSize >= kMax32 || uncompressedSize >= kMax32))
    throw ZipError("File " + streamed_.name + " grew past 4 GiB while it was being stored");
  streamed_.crc = crc;
  streamed_.compressedSize = compressedSize;
  streamed_.uncompressedSize = uncompressedSize;
  Bytes descriptor = dataDescriptor(streamed_, streamedZip64_);
  out_.keepTogether(descriptor.size());
  out_.write(descriptor);
  entries_.push_back(std::move(streamed_));
}

void ZipArchiveWriter::addCopied(const ZipEntryRecord& source, VolumeReader data) {
  ZipEntryRecord record = source;
  bool zip64 = record.compressedSize >= kMax32 || record.uncompressedSize >= kMax32 ||
               (record.hasDataDescriptor() && zip64Descriptors_);
  placeHeader(record, zip64);
  Bytes buffer(static_cast<size_t>(std::min<uint64_t>(record.compressedSize, 1u << 20)));
  for (uint64_t left = record.compressedSize; left > 0;) {
    size_t n = static_cast<size_t>(std::min<uint64_t>(left, buffer.size()));
    data.read(buffer.data(), n);
    out_.write(buffer.data(), n);
    left -= n;
  }
  if (record.hasDataDescriptor()) {
    Bytes descriptor = dataDescriptor(record, zip64);
    out_.keepTogether(descriptor.size());
    out_.write(descriptor);
  }
  entries_.push_back(std::move(record));
}

Bytes ZipArchiveWriter::finish() {
  Bytes table;
  ZipEndInfo end;
  end.entryCount = entries_.size();
  end.directoryDisk = out_.disk();
  end.directoryOffset = out_.offset();
  uint32_t headerDisk = 0;
  uint64_t headersOnDisk = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    Bytes header = centralHeader(entries_[i]);
    out_.keepTogether(header.size());
    if (i == 0) {
      end.directoryDisk = out_.disk();
      end.directoryOffset = out_.offset();
    }
    if (i == 0 || out_.disk() != headerDisk) headersOnDisk = 0;
    headerDisk = out_.disk();
    ++headersOnDisk;
    out_.write(header);
    end.directorySize += header.size();
    table.insert(table.end(), header.begin(), header.end());
  }
  // The end records stay together on the last disk.
  out_.keepTogether(zipsize::kZip64End + zipsize::kZip64Locator + zipsize::kEnd);
  end.lastDisk = out_.disk();
  end.entriesOnLastDisk = headerDisk == end.lastDisk ? headersOnDisk : 0;
  Bytes records = endRecords(end, out_.offset());
  out_.write(records);
  table.insert(table.end(), records.begin(), records.end());
  return table;
}

}  // namespace archive
